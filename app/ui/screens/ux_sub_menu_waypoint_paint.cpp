// The waypoint screen's fields: the column headers, the visible rows (the current one
// highlighted across the row, an icon after a filled name) and the information area under
// them, laid out in the field table that paints them and gives their text boxes.
#include "base/tr_resource.h"
#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/map/target_icon.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

#include <QPainter>

namespace {
constexpr int kFrame = UxTheme::kFrameWidth;
constexpr int kHeaderTop = kFrame + UxTheme::kTitleHeight;
constexpr int kHeaderHeight = 20;
constexpr int kRowsTop = kHeaderTop + kHeaderHeight;
constexpr int kRowHeight = 22;
constexpr int kSnX = 6;
constexpr int kSnWidth = 40;
constexpr int kNameWidth = 150;
constexpr int kIconSize = 18;
constexpr int kInfoTop = kRowsTop + UxSubMenuWaypoint::kVisibleRows * kRowHeight + 6;
constexpr int kInfoLineHeight = 18;
constexpr int kInfoLines = 6;

QString titled(EnumTrString id) {
    return TrResource::getTrString(id) + QLatin1Char(':');
}
}  // namespace

QStringList UxSubMenuWaypoint::infoLines() const {
    return {titled(TR_Date) + QLatin1Char(' ') + m_info.date,
            titled(TR_TimeOfDay) + QLatin1Char(' ') + m_info.time,
            titled(TR_DstToBoat) + QLatin1Char(' ') + m_info.distance,
            TrResource::getTrString(TR_Course) + QStringLiteral(": (\u00b0) ") + m_info.course,
            titled(TR_HomePosition),
            m_info.home};
}

// A row's first field spans the row (its background) and boxes the SN; the name follows. The
// header and the information are 14 px, the rows 16 px.
void UxSubMenuWaypoint::layOut() {
    m_fields.clear();
    const QMargins snInRow(kSnX - kFrame, 0, width() - kFrame - kSnX - kSnWidth, 0);
    const QRect header(kFrame, kHeaderTop, width() - 2 * kFrame, kHeaderHeight);
    FieldTable::StructField& sn = m_fields.label(header, FieldTable::trText(TR_SN));
    sn.margins = snInRow;
    sn.fill = UxTheme::kTrack;
    sn.fontPixels = 14;
    m_fields
        .label(QRect(kSnX + kSnWidth, kHeaderTop, kNameWidth, kHeaderHeight),
               FieldTable::trText(TR_Name))
        .fontPixels = 14;
    for (int r = 0; r < kVisibleRows && m_top + r < WaypointStore::kSlots; ++r) {
        const int slot = m_top + r;
        const QRect row(kFrame, kRowsTop + r * kRowHeight, width() - 2 * kFrame, kRowHeight);
        const bool current = slot == m_book.current();
        FieldTable::StructField& number =
            m_fields.label(row, [this, slot] { return m_book.at(slot).sn; });
        number.margins = snInRow;
        number.fill = current ? UxTheme::kSelect : QColor();
        number.ink = current ? UxTheme::kSelectInk : UxTheme::kInk;
        number.fontPixels = 16;
        FieldTable::StructField& name =
            m_fields.label(QRect(kSnX + kSnWidth, row.top(), kNameWidth, kRowHeight),
                           [this, slot] { return m_book.at(slot).name; });
        name.ink = number.ink;
        name.fontPixels = 16;
        const StructWaypoint& w = m_book.at(slot);
        if (w.isEmpty()) continue;
        name.icon = Global::getIcon_target(w.iconIndex);
        name.iconRect = QRect(name.rect.right() + 4, row.top() + (kRowHeight - kIconSize) / 2,
                              kIconSize, kIconSize);
    }
    m_fields.separator(QRect(QPoint(kFrame, kInfoTop - 3), QPoint(width() - kFrame, kInfoTop - 3)));
    for (int i = 0; i < kInfoLines; ++i)
        m_fields
            .label(QRect(kSnX, kInfoTop + i * kInfoLineHeight, width() - 2 * kSnX, kInfoLineHeight),
                   [this, i] { return infoLines().at(i); })
            .fontPixels = 14;
}

QVector<StructTextBox> UxSubMenuWaypoint::textBoxes() const {
    return m_fields.textBoxes(m_title);
}

void UxSubMenuWaypoint::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    m_title->setGeometry(kFrame, kFrame, width() - 2 * kFrame, UxTheme::kTitleHeight);
    layOut();
}

void UxSubMenuWaypoint::paintEvent(QPaintEvent*) {
    QPainter p(this);
    UxTheme::drawPanel(p, rect());
    m_fields.paint(p);
}

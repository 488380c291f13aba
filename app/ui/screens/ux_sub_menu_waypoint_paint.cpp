// The waypoint screen's drawing: the title, the column headers, the visible rows and the
// information area under them.
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

QRect snBox(const QRect& row) {
    return QRect(kSnX, row.top(), kSnWidth, row.height());
}

QRect nameBox(const QRect& row) {
    return QRect(kSnX + kSnWidth, row.top(), kNameWidth, row.height());
}
}  // namespace

QRect UxSubMenuWaypoint::rowRect(int visibleRow) const {
    return QRect(kFrame, kRowsTop + visibleRow * kRowHeight, width() - 2 * kFrame, kRowHeight);
}

QRect UxSubMenuWaypoint::infoLineRect(int line) const {
    return QRect(kSnX, kInfoTop + line * kInfoLineHeight, width() - 2 * kSnX, kInfoLineHeight);
}

QStringList UxSubMenuWaypoint::infoLines() const {
    return {titled(TR_Date) + QLatin1Char(' ') + m_info.date,
            titled(TR_TimeOfDay) + QLatin1Char(' ') + m_info.time,
            titled(TR_DstToBoat) + QLatin1Char(' ') + m_info.distance,
            TrResource::getTrString(TR_Course) + QStringLiteral(": (\u00b0) ") + m_info.course,
            titled(TR_HomePosition),
            m_info.home};
}

QVector<StructTextBox> UxSubMenuWaypoint::textBoxes() const {
    QVector<StructTextBox> boxes;
    for (const StructTextBox& b : m_title->textBoxes())
        boxes.append({b.text, b.box.translated(m_title->pos()), b.font});
    const QRect header(kFrame, kHeaderTop, width() - 2 * kFrame, kHeaderHeight);
    boxes.append({TrResource::getTrString(TR_SN), snBox(header), UxTheme::font(14)});
    boxes.append({TrResource::getTrString(TR_Name), nameBox(header), UxTheme::font(14)});
    for (int r = 0; r < kVisibleRows; ++r) {
        const StructWaypoint& w = m_book.at(m_top + r);
        boxes.append({w.sn, snBox(rowRect(r)), UxTheme::font(16)});
        boxes.append({w.name, nameBox(rowRect(r)), UxTheme::font(16)});
    }
    const QStringList lines = infoLines();
    for (int i = 0; i < lines.size(); ++i)
        boxes.append({lines.at(i), infoLineRect(i), UxTheme::font(14)});
    return boxes;
}

void UxSubMenuWaypoint::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    m_title->setGeometry(kFrame, kFrame, width() - 2 * kFrame, UxTheme::kTitleHeight);
}

void UxSubMenuWaypoint::paintEvent(QPaintEvent*) {
    QPainter p(this);
    UxTheme::drawPanel(p, rect());
    const QRect header(kFrame, kHeaderTop, width() - 2 * kFrame, kHeaderHeight);
    p.fillRect(header, UxTheme::kTrack);
    p.setFont(UxTheme::font(14));
    UxTheme::drawText(p, snBox(header), TrResource::getTrString(TR_SN), UxTheme::kInk);
    UxTheme::drawText(p, nameBox(header), TrResource::getTrString(TR_Name), UxTheme::kInk);
    p.setFont(UxTheme::font(16));
    for (int r = 0; r < kVisibleRows; ++r) {
        const int slot = m_top + r;
        if (slot >= WaypointStore::kSlots) break;
        const QRect row = rowRect(r);
        const bool current = slot == m_book.current();
        if (current) p.fillRect(row, UxTheme::kSelect);
        const QColor ink = current ? UxTheme::kSelectInk : UxTheme::kInk;
        const StructWaypoint& w = m_book.at(slot);
        UxTheme::drawText(p, snBox(row), w.sn, ink);
        UxTheme::drawText(p, nameBox(row), w.name, ink);
        if (!w.isEmpty()) {
            const QRect icon(nameBox(row).right() + 4, row.top() + (row.height() - kIconSize) / 2,
                             kIconSize, kIconSize);
            p.drawPixmap(icon, Global::getIcon_target(w.iconIndex));
        }
    }
    p.setPen(UxTheme::kFrame);
    p.drawLine(kFrame, kInfoTop - 3, width() - kFrame, kInfoTop - 3);
    p.setFont(UxTheme::font(14));
    const QStringList lines = infoLines();
    for (int i = 0; i < lines.size() && i < kInfoLines; ++i)
        UxTheme::drawText(p, infoLineRect(i), lines.at(i), UxTheme::kInk);
}

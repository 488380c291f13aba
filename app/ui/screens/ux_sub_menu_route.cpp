#include "ui/screens/ux_sub_menu_route.h"

#include "base/global.h"
#include "base/tr_resource.h"
#include "data/waypoint_texts.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/screens/ux_small_menu.h"
#include "ui/screens/waypoint_char_sets.h"

#include <QPainter>

namespace {
constexpr int kFrame = UxTheme::kFrameWidth;
constexpr int kHeaderTop = kFrame + UxTheme::kTitleHeight;
constexpr int kHeaderHeight = 20;
constexpr int kRowsTop = kHeaderTop + kHeaderHeight;
constexpr int kRowHeight = 17;
constexpr int kInfoTop = kRowsTop + CourseStore::kSlots * kRowHeight + 6;
constexpr int kInfoLineHeight = 17;
constexpr int kInfoLines = 4;  // date, start, end, distance
constexpr int kSnX = 6;
constexpr int kSnWidth = 40;
const QRect kMenuPlace(40, 190, 185, 150);

// Every text is 14 px.
FieldTable::StructLook look() {
    FieldTable::StructLook look;
    look.fontPixels = 14;
    return look;
}
}  // namespace

UxSubMenuRoute::UxSubMenuRoute(CourseBook& book, QWidget* parent)
    : UxKeyWidget(parent), m_book(book), m_fields(look()) {
    connect(&m_book, &CourseBook::changed, this, [this] { update(); });
    m_title = new UxTitleBar(this);
    resize(225, 300);
    QWidget* screen = parent ? parent : this;
    m_menu = new UxSmallMenu(false, screen);
    m_menu->setGeometry(kMenuPlace);
    m_menu->hide();
    connect(m_menu, &UxSmallMenu::signal_itemClick, this, &UxSubMenuRoute::operationClick);
    m_editor = new UxLineEditor(screen);
    m_editor->hide();
    connect(m_editor, &UxLineEditor::signal_editorConfirm, this,
            &UxSubMenuRoute::slot_editorConfirm);
}

QVector<QWidget*> UxSubMenuRoute::popups() const {
    return {m_menu, m_editor};
}

void UxSubMenuRoute::appendPoint(int lon, int lat, unsigned time, unsigned depthCm) {
    m_book.appendPoint(lon, lat, time, depthCm, Global::configuration.sampleDst);
}

void UxSubMenuRoute::saveWayCourseToSD() {
    emit signal_copyToSD(m_book.copyToSd(m_current));
}

void UxSubMenuRoute::readWayCourseFromSD(const QString& file) {
    emit signal_readRouteFromSD(m_book.readFromSd(m_current, file));
}

void UxSubMenuRoute::showRoute() {
    m_title->setTitleText(TrResource::getTrString(TR_Route));
    keepInsideParent();
    show();
    raise();
    window()->activateWindow();
    update();
}

void UxSubMenuRoute::setCurrentSlot(int slot) {
    m_current = qBound(0, slot, CourseStore::kSlots - 1);
    layOut();
    update();
}

void UxSubMenuRoute::keyClicked(EnumKey key) {
    switch (key) {
        case EnumKey::Up:
            setCurrentSlot(m_current == 0 ? CourseStore::kSlots - 1 : m_current - 1);
            break;
        case EnumKey::Down:
            setCurrentSlot(m_current == CourseStore::kSlots - 1 ? 0 : m_current + 1);
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            hide();
            break;
        case EnumKey::Enter: {
            const EnumTrString texts[] = {TR_SaveCurrent, TR_Delete,     TR_Rename,
                                          TR_ShowRoute,   TR_CopyToSd,   TR_ReadFromSd,
                                          TR_ExportGpx,   TR_TrackAsGpx, TR_ImportGpx};
            QStringList rows;
            for (EnumTrString t : texts)
                rows << TrResource::getTrString(t);
            m_menu->move(kMenuPlace.topLeft());
            m_menu->showSmallMenu(rows);
            break;
        }
        default:
            return;
    }
    keyTone();
}

void UxSubMenuRoute::operationClick(int row) {
    m_menu->hide();
    switch (row) {
        case OpSaveCurrent:
            saveRouteToNand();
            break;
        case OpDelete:
            m_book.remove(m_current);
            break;
        case OpRename:
            m_editor->move(x(), qMin(y() + height() + 4, m_editor->parentWidget()->height() - 64));
            m_editor->showLineEditor(WaypointTexts::nameForEditor(m_book.slot(m_current).name),
                                     WaypointCharSets::name(), QStringLiteral("left"));
            break;
        case OpShowRoute:
            emit signal_showRoute(m_book.points(m_current));
            break;
        case OpCopyToSd:
            saveWayCourseToSD();
            break;
        case OpReadFromSd:
            emit signal_readRouteFromSD();
            break;
        case OpExportGpx:
            emit signal_exportGpx(m_current);
            break;
        case OpTrackGpx:
            emit signal_exportTrackGpx();
            break;
        case OpImportGpx:
            emit signal_importGpx();
            break;
        default:
            emit signal_invalidItem(QStringLiteral("Small-R-00") + QString::number(row));
            break;
    }
}

void UxSubMenuRoute::slot_editorConfirm(const QString& text) {
    const QString name = WaypointTexts::nameFromEditor(text);
    if (name.isEmpty()) return;
    m_book.rename(m_current, name);
}

// --- The information area and the drawing -------------------------------------------------------

QStringList UxSubMenuRoute::infoLines() const {
    const StructRoute& r = m_book.slot(m_current);
    const auto line = [](EnumTrString id, const QString& value) {
        return TrResource::getTrString(id) + QStringLiteral(": ") + value;
    };
    if (r.isEmpty()) {
        const QString none = StructRoute::emptyName();
        return {line(TR_Date, none), line(TR_StartTime, none), line(TR_EndTime, none),
                line(TR_Distance, none)};
    }
    return {line(TR_Date, WaypointTexts::shownDate(r.startTime)),
            line(TR_StartTime, WaypointTexts::shownTime(r.startTime)),
            line(TR_EndTime, WaypointTexts::shownTime(r.endTime)),
            line(TR_Distance, Global::getString_dstValue(float(r.distance), 0, false) +
                                  QLatin1Char(' ') + Global::getString_dstUnit())};
}

// A row's first field spans the row (its background) and boxes the SN; the name follows, to
// the row's end.
void UxSubMenuRoute::layOut() {
    m_fields.clear();
    const int inner = width() - 2 * kFrame;
    const QMargins snInRow(kSnX, 0, inner - kSnX - kSnWidth, 0);
    const QRect header(kFrame, kHeaderTop, inner, kHeaderHeight);
    FieldTable::StructField& sn = m_fields.label(header, FieldTable::trText(TR_SN));
    sn.margins = snInRow;
    sn.fill = UxTheme::kTrack;
    m_fields.label(header.adjusted(kSnX + kSnWidth, 0, 0, 0), FieldTable::trText(TR_Name));
    for (int n = 0; n < CourseStore::kSlots; ++n) {
        const QRect row(kFrame, kRowsTop + n * kRowHeight, inner, kRowHeight);
        const bool current = n == m_current;
        FieldTable::StructField& number =
            m_fields.label(row, FieldTable::fixedText(QString::number(n)));
        number.margins = snInRow;
        number.fill = current ? UxTheme::kSelect : QColor();
        number.ink = current ? UxTheme::kSelectInk : UxTheme::kInk;
        m_fields
            .label(row.adjusted(kSnX + kSnWidth, 0, 0, 0),
                   [this, n] { return m_book.slot(n).name; })
            .ink = number.ink;
    }
    m_fields.separator(QRect(QPoint(kFrame, kInfoTop - 3), QPoint(width() - kFrame, kInfoTop - 3)));
    for (int i = 0; i < kInfoLines; ++i)
        m_fields.label(
            QRect(kSnX, kInfoTop + i * kInfoLineHeight, width() - 2 * kSnX, kInfoLineHeight),
            [this, i] { return infoLines().at(i); });
}

QVector<StructTextBox> UxSubMenuRoute::textBoxes() const {
    return m_fields.textBoxes(m_title);
}

void UxSubMenuRoute::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    m_title->setGeometry(kFrame, kFrame, width() - 2 * kFrame, UxTheme::kTitleHeight);
    layOut();
}

void UxSubMenuRoute::paintEvent(QPaintEvent*) {
    QPainter p(this);
    UxTheme::drawPanel(p, rect());
    m_fields.paint(p);
}

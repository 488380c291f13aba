#include "ui/screens/ux_sub_menu_waypoint.h"

#include "base/global.h"
#include "base/tr_resource.h"
#include "platform/versions.h"
#include "ui/kit/ux_line_editor.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/screens/ux_small_menu.h"
#include "ui/screens/ux_waypoint_detail.h"

namespace {
constexpr int kRepeatTickMs = 125;  // the pace of the main tick
constexpr int kChangeStep = 10;     // Key_C; twice that once held long
const QRect kMenuPlace(75, 190, 185, 150);
const QRect kDetailPlace(10, 100, 252, 262);
}  // namespace

UxSubMenuWaypoint::UxSubMenuWaypoint(WaypointBook& book, QWidget* parent)
    : UxKeyWidget(parent), m_book(book) {
    qRegisterMetaType<StructWaypoint>("StructWaypoint");
    connect(&m_book, &WaypointBook::changed, this, &UxSubMenuWaypoint::refreshBottomInfo);
    connect(&m_book, &WaypointBook::currentChanged, this, &UxSubMenuWaypoint::refreshBottomInfo);
    connect(&m_book, &WaypointBook::saveFailed, this, &UxSubMenuWaypoint::signal_saveFailed);
    m_title = new UxTitleBar(this);
    resize(225, 300);
    KeyInput::StructRepeat schedule;
    schedule.firstTick = 6;
    schedule.every = 1;
    schedule.accelTick = 26;
    schedule.factor = 2;  // taken by Key_C only
    setRepeat({EnumKey::Up, EnumKey::Down, EnumKey::Left, EnumKey::Right, EnumKey::Change},
              schedule);
    m_repeatTimer.setInterval(kRepeatTickMs);
    connect(&m_repeatTimer, &QTimer::timeout, this, &UxSubMenuWaypoint::do_timer);

    QWidget* screen = parent ? parent : this;
    m_detail = new UxWaypointDetail(screen);
    m_detail->setGeometry(kDetailPlace);
    m_detail->hide();
    connect(m_detail, &UxWaypointDetail::signal_detailClick_ok, this,
            &UxSubMenuWaypoint::slot_detailClick_ok);
    m_menu = new UxSmallMenu(false, screen);
    m_menu->setGeometry(kMenuPlace);
    m_menu->hide();
    connect(m_menu, &UxSmallMenu::signal_itemClick, this, &UxSubMenuWaypoint::operationClick);
    refreshBottomInfo();
}

QVector<QWidget*> UxSubMenuWaypoint::popups() const {
    return {m_detail, m_menu, m_detail->lineEditor(), m_detail->iconChooser()};
}

// --- The editor ---------------------------------------------------------------------------------

void UxSubMenuWaypoint::newWaypointDetail(int slot, unsigned time, int lon, int lat, float depth) {
    openEditor(m_book.beginNew(slot, time, lon, lat, depth));
}

void UxSubMenuWaypoint::newWaypointDetail(unsigned time, int lon, int lat, float depth) {
    newWaypointDetail(m_book.current(), time, lon, lat, depth);
}

void UxSubMenuWaypoint::showWaypointDetail() {
    openEditor(m_book.beginEdit());
}

void UxSubMenuWaypoint::openEditor(const StructWaypoint& w) {
    // Depth is shown in the unit of the day and converted back when confirmed.
    m_detail->showWaypointDetail(w.sn, w.iconIndex, w.name, w.latitude, w.longitude,
                                 Global::getString_depthValue(w.depth, 1, true),
                                 Global::getString_depthUnit());
}

void UxSubMenuWaypoint::slot_detailClick_ok(int slot) {
    StructWaypoint w;
    m_detail->getWaypointDetail(w.iconIndex, w.name, w.latitude, w.longitude, w.depth);
    m_book.confirm(slot, w);
}

// --- Showing ------------------------------------------------------------------------------------

void UxSubMenuWaypoint::showWaypoint(const QString& title) {
    m_selectTitle = title;
    refreshBottomInfo();
    show();
    raise();
    window()->activateWindow();  // also after a dialog in a window of its own
    m_repeatTimer.start();
}

void UxSubMenuWaypoint::hideEvent(QHideEvent* event) {
    m_repeatTimer.stop();
    UxKeyWidget::hideEvent(event);
}

void UxSubMenuWaypoint::setCurrentBoatPoint(QPoint point) {
    m_boat = point;
    m_boatKnown = true;
    if (isVisible()) refreshBottomInfo();
}

void UxSubMenuWaypoint::setCurrentHomePos(const QString& latitude, const QString& longitude) {
    m_homeLat = latitude;
    m_homeLon = longitude;
    refreshBottomInfo();
}

void UxSubMenuWaypoint::refreshBottomInfo() {
    const int current = m_book.current();
    if (current < m_top) m_top = current;
    if (current >= m_top + kVisibleRows) m_top = current - kVisibleRows + 1;
    m_info = WaypointInfo::make(m_book.at(current), m_boatKnown ? &m_boat : nullptr, m_homeLat,
                                m_homeLon);
    m_title->setTitleText(TrResource::getTrString(TR_Waypoint));
    layOut();
    update();
}

// --- Keys ---------------------------------------------------------------------------------------

// Moves the current slot; past the last slot to 0, before the first to the last.
void UxSubMenuWaypoint::step(int delta) {
    int next = m_book.current() + delta;
    if (next >= WaypointStore::kSlots) next = 0;
    if (next < 0) next = WaypointStore::kSlots - 1;
    m_book.setCurrent(next);
}

void UxSubMenuWaypoint::keyRepeated(EnumKey key, int steps) {
    switch (key) {
        case EnumKey::Up:
            step(-1);
            break;
        case EnumKey::Down:
            step(1);
            break;
        case EnumKey::Left:
            step(-5);
            break;
        case EnumKey::Right:
            step(5);
            break;
        case EnumKey::Change:
            step(kChangeStep * steps);
            break;
        default:
            break;
    }
}

void UxSubMenuWaypoint::keyClicked(EnumKey key) {
    keyTone();
    const StructWaypoint current = m_book.at(m_book.current());
    switch (key) {
        case EnumKey::Up:
        case EnumKey::Down:
        case EnumKey::Left:
        case EnumKey::Right:
        case EnumKey::Change:
            keyRepeated(key, 1);
            break;
        case EnumKey::Autopilot:
            // Also for an empty slot: the go-to question and its checks answer it.
            emit signal_quickGoToTarget(current);
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            hide();
            break;
        case EnumKey::Enter:
            if (m_selectTitle.isEmpty()) {
                openOperationMenu();
            } else if (!current.isEmpty()) {
                emit signal_itemClick_waypoint(m_selectTitle, current);
            }
            break;
        default:
            break;
    }
}

// --- The operation menu -------------------------------------------------------------------------

void UxSubMenuWaypoint::openOperationMenu() {
    const EnumTrString texts[] = {TR_Detail,    TR_Delete,    TR_AutopilotToTarget, TR_SetAsTarget,
                                  TR_New,       TR_ExportCsv, TR_ExportKml,         TR_Import,
                                  TR_ExportGpx, TR_ImportGpx};
    int rows = 0;
    const char model = char(Global::current_model);
    if (model == '4') rows = OpNew + 1;
    if (model == '5' || model == 'd') rows = OpImportGpx + 1;
    if (rows == 0) return;  // no operations on other models
    QStringList shown;
    for (int r = 0; r < rows; ++r)
        shown << TrResource::getTrString(texts[r]);
    m_menu->move(kMenuPlace.topLeft());
    m_menu->showSmallMenu(shown);
}

void UxSubMenuWaypoint::operationClick(int row) {
    m_menu->hide();
    const StructWaypoint current = m_book.at(m_book.current());
    const bool empty = current.isEmpty();
    switch (row) {
        case OpDetail:
            if (!empty) showWaypointDetail();
            break;
        case OpDelete:
            if (!empty) deleteWaypointArray();
            break;
        case OpGoTo:
            if (!empty) emit signal_goToTarget(current);
            break;
        case OpSetAsTarget:
            if (!empty) emit signal_setAsTarget(current);
            break;
        case OpNew:
            emit signal_needNewWaypoint();
            break;
        case OpExportCsv:
            emit signal_exportCsv();
            break;
        case OpExportKml:
            emit signal_exportKml();
            break;
        case OpImport:
            emit signal_importKml();
            break;
        case OpExportGpx:
            emit signal_exportGpx();
            break;
        case OpImportGpx:
            emit signal_importGpx();
            break;
        default:
            break;
    }
}

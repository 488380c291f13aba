#include "core/korvel.h"

#include "ui/kit/dialog_prompter.h"

#include "base/resources.h"
#include "core/ux_scene.h"
#include "core/ux_view.h"
#include "data/recorder.h"
#include "link/module_install.h"
#include "link/module_update_run.h"
#include "link/radio_bind.h"
#include "link/ux_data.h"
#include "navi/handset_compass_thread.h"
#include "platform/backlight.h"
#include "platform/compass_bus.h"
#include "platform/sd_mount_thread.h"
#include "sonar/sonar_picture.h"
#include "sonar/ux_sonar.h"
#include "state/course_book.h"
#include "state/depth_map_state.h"
#include "state/multi_target_list.h"
#include "state/sonar_history_state.h"
#include "state/waypoint_book.h"
#include "ui/kit/dialog_host.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/compass_views.h"
#include "ui/screens/info_panels.h"
#include "ui/screens/item_logo.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/screen_overlays.h"
#include "ui/screens/status_icons.h"
#include "ui/screens/ux_sub_menu_multi_target.h"
#include "ui/screens/ux_sub_menu_route.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

#include <QCoreApplication>
#include <QTimer>

namespace {
constexpr int kLogoSteps = 13;
// How long the program end waits for each thread it started.
constexpr int kJoinMs = 2000;
}  // namespace

Korvel::Korvel(QWidget* parent) : QWidget(parent) {
    korvelInitResources();
    system_initBoard();
    init_var();
    init_logo();
    m_logo->stepGo();
    init_object();
    m_logo->stepGo();
    init_item();
    m_logo->stepGo();
    menu_init();
    m_logo->stepGo();  // menus
    dialog_init();
    m_logo->stepGo();  // dialogs
    init_thread();
    m_logo->stepGo();
    connect(m_scene, &UxScene::signal_keyClick, this, &Korvel::slot_key_click);
    connect(m_scene, &UxScene::signal_keyPress, this, &Korvel::slot_key_press);
    init_startWork();
}

// The parts live until the process ends; the threads are ended by system_shutdown. The screens
// that show the books go first: they stand in the view, which outlives the controller.
Korvel::~Korvel() {
    if (m_timerMain) m_timerMain->stop();
    delete m_waypoint;
    delete m_route;
    delete m_multiTarget;
}

void Korvel::init_var() {
    m_flags = StructFlagRow();
}

void Korvel::init_logo() {
    m_scene = new UxScene(this);
    m_view = new UxView(m_scene);
    m_logo = new ItemLogo();
    m_logo->setPos(0, 0);
    m_scene->addItem(m_logo);
    m_logo->showLogo(m_model, kLogoSteps);
}

void Korvel::init_object() {
    m_waypointBook = std::make_unique<WaypointBook>();
    m_courseBook = std::make_unique<CourseBook>();
    m_multiTargetList = std::make_unique<MultiTargetList>();
    // The dialogs come before the menus, which add their file receivers to the chooser.
    m_dialogs = std::make_unique<DialogHost>(m_modals);
    navi_setHandsetCompass(std::make_unique<HandsetCompassThread>(CompassBus::create()));
    m_data = new UxData(nullptr, this);
    m_navi = new UxNavi(nullptr, this);
    m_navi->item()->hide();
    m_scene->addItem(m_navi->item());
    connect(m_navi, &UxNavi::signal_selectPoint_use, this, &Korvel::slot_selectPoint_use);
    m_infoPanels = std::make_unique<InfoPanels>(m_scene);  // hidden, none selected
    m_picture = std::make_unique<SonarPicture>(m_history);
    m_picture->item()->hide();
    m_scene->addItem(m_picture->item());
    m_compassViews = std::make_unique<CompassViews>(m_scene);
    m_recorder = new Recorder(this);
    m_moduleUpdate = new ModuleUpdateRun(*m_data, this);
    connect(m_moduleUpdate, &ModuleUpdateRun::signal_view, this, &Korvel::link_updateView);
    connect(m_moduleUpdate, &ModuleUpdateRun::signal_finished, this, &Korvel::link_updateEnded);
    m_installHost = link_makeInstallHost(*this);
    m_install = new ModuleInstall(*m_installHost, this);
    m_bind = new RadioBind(*m_data, this);
    connect(m_bind, &RadioBind::signal_view, this, &Korvel::link_bindView);
    connect(m_bind, &RadioBind::signal_tickStop, this, [this] { m_timerMain->stop(); });
    connect(m_bind, &RadioBind::signal_finished, this, &Korvel::link_bindEnded);
}

void Korvel::init_item() {
    m_statusIcons = std::make_unique<StatusIcons>(m_scene);
    m_overlays = std::make_unique<ScreenOverlays>(m_scene);
}

void Korvel::init_thread() {
    system_startSdThread();
    if (QCoreApplication::instance()) {
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
                &Korvel::system_shutdown, Qt::DirectConnection);
    }
    m_timerMain = new QTimer(this);
    connect(m_timerMain, &QTimer::timeout, this, &Korvel::slot_timeout_main);
    m_timerMain->start(kTickMs);
}

void Korvel::init_startWork() {
    m_logo->hide();
    m_view->setWorkingBackground();
    m_picture->item()->show();
    m_statusIcons->icon(ScreenLayout::IconSignal)->show();
    const StructScreenLayout start = ScreenLayout::forMode(ScreenLayout::kStartMode);
    m_infoPanels->applyLayout(start);  // the first four
    system_placeMap(start);
    // The sonar box gets its gain, frequency and range once at start; answering its own
    // hello comes with link supervision. Not from here: the configuration file is loaded
    // after the constructor, and the box would first be set to an all-zero configuration.
    QTimer::singleShot(0, this, &Korvel::link_sonar_get_hello);
}

void Korvel::system_shutdown() {
    if (m_timerMain) m_timerMain->stop();
    if (m_depthMap) m_depthMap->save();
    if (m_sdThread && !m_sdThread->stop(kJoinMs))
        qWarning("the SD card's thread did not end within %d ms", kJoinMs);
    if (m_data && !m_data->stop(kJoinMs))
        qWarning("the radio link's thread did not end within %d ms", kJoinMs);
    if (m_data) m_data->closeSerial();
    m_compass.reset();  // its thread ends with it
}

#pragma once

#include "base/screen_layout.h"
#include "base/tr_string.h"
#include "core/alarm_monitor.h"
#include "data/boat_values.h"
#include "data/gpx_types.h"
#include "data/kml_types.h"
#include "data/sonar_history.h"
#include "data/struct_route.h"
#include "data/struct_waypoint.h"
#include "link/kvl_frame.h"
#include "link/link_state.h"
#include "link/module_check.h"
#include "link/module_update.h"
#include "link/rssi_filter.h"
#include "navi/battery_reserve.h"
#include "navi/fix_watch.h"
#include "navi/handset_compass.h"
#include "navi/heading_filter.h"
#include "navi/navi_target.h"
#include "sonar/sonar_column.h"
#include "state/boat_compass_run.h"
#include "state/link_loss_watch.h"
#include "state/link_watch.h"
#include "state/list_run.h"
#include "state/navigation_state.h"
#include "state/prompter.h"
#include "ui/kit/modal_watch.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>

class QTimer;
class Backlight;
class CompassViews;
class DialogHost;
class DialogPrompter;
class DisplayCompassCali;
class InfoPanels;
class ItemDevMode;
class ItemLogo;
class MenuHost;
class Recorder;
class ScreenOverlays;
class SdMountThread;
class ShowCPUMemory;
class SonarPicture;
class ModuleInstall;
class ModuleInstallHost;
class ModuleUpdateRun;
class RadioBind;
struct StructBindView;
class StatusIcons;
struct StructInfoPanSource;
class UxData;
class UxNavi;
class UxScene;
class UxSonar;
class UxSubMenuExportKml;
class UxSubMenuGoBack;
class UxSubMenuMultiTarget;
class UxSubMenuRoute;
class UxSubMenuRouteAp;
class UxSubMenuWaypoint;
class UxView;
class WaypointBook;
class CourseBook;
class DepthMapState;
class SonarHistoryState;
class UxHistoryBar;
class UxAlertStrip;
class MultiTargetList;

// Where a firmware update of a boat module stands; "in progress" also covers a binding, during
// which nothing else may talk to the boat.
// The read-outs of the last frame measured, said with their age while the link is lost.
struct StructLastReadouts {
    bool known = false;
    float depth = 0;        // m
    float temperature = 0;  // degrees Celsius
    float volts = 0;
};

struct StructUpdateFlags {
    bool inProgress = false;
    bool done = false;
    bool aborted = false;
};

// The controller: builds every part of the handset program once, runs the 125 ms main tick
// and routes the keys of the main screen. The work is done by the parts it owns (the data
// source, the history and the boat values, the recorder, the sonar picture, the alarm check,
// the dialogs and the menus); its methods are the program's named steps and only call them.
class Korvel : public QWidget {
    Q_OBJECT
public:
    explicit Korvel(QWidget* parent = nullptr);
    ~Korvel() override;

    // --- Start-up (korvel_init.cpp) -----------------------------------------------------------
    void init_var();
    void init_logo();
    void init_object();
    void init_item();
    void init_thread();
    void init_startWork();
    // Ends the threads, each within a bounded wait; the program end calls it.
    void system_shutdown();

    // --- System (korvel_system*.cpp, korvel_keys.cpp) ----------------------------------------
    void system_useDefaultSetting();
    void system_loadConfiguration();
    bool system_saveConfiguration();
    void system_checkState();
    void system_keyClick(const QString& key);
    void system_keyPress(const QString& key);
    void system_changeScreenMode();
    void system_showPoweroffDialog();
    bool system_haveMountSD() const;

    // --- Data (korvel_data.cpp) --------------------------------------------------------------
    // The alarm check (every 5th tick).
    void data_checkState();
    void data_getOrigin_kvlw();
    void data_getCurrent_kvlw();
    void data_exportCurrentData();
    // The NMEA sentence of the newest frame, line ending included.
    QString data_creatNMEA();
    QString data_plotterNMEA();
    unsigned data_utc2Local(unsigned word);
    float data_calcMiddle_depth(float x);

    // --- Link (korvel_link.cpp) --------------------------------------------------------------
    void link_sonar_send_cfg(const QString& key);
    void link_sonar_get_hello();
    void link_sonar_boatCali();
    // The autopilot's sentences (korvel_link_ap.cpp).
    QString link_ap_getCmd_HMCTL(const QString& command, const QString& a, const QString& b);
    QString link_ap_getCmd_HMPRA();
    QString link_ap_getCmd_HMHCK(const QString& direction);
    QString link_ap_getCmd_HMRST();
    // Start towards the navigation target, stop, the settings, a wiring test ("forward", "left"
    // or "right"), and the answer to the autopilot's power-up.
    void link_ap_send_start();
    void link_ap_send_stop();
    void link_ap_send_cfg();
    void link_ap_send_wiringTest(const QString& direction);
    void link_ap_get_hello();
    // The position the start sentence sends the boat to (ddS32); the navigation sets it.
    void link_ap_setTarget(int lat, int lon);
    // Starts the firmware update of the autopilot, as link_update_sonar does the sonar box's.
    bool link_update_ap(const QByteArray& image);
    // Starts the firmware update of the sonar box; the main timer stops until it ends
    // (signal_updateFinished). False when one runs already or the image is empty.
    bool link_update_sonar(const QByteArray& image);
    // Shortens the update's waits (tests); {200, 10} by default.
    void link_setUpdateTiming(int syncWaitMs, int idleWaitMs);

    // --- Link supervision (korvel_link_watch.cpp) --------------------------------------------
    // The start-up module check, first in every tick.
    void init_checkModule();
    // The no-data counters, answering the power-up hellos, re-sending changed settings.
    void link_checkState();
    void link_refreshSignalIco();
    // Every 8th tick: the radio module's signal strength for the screens that show it.
    void system_needUpdateRssi();
    void data_calcAverage_rssi(int boatSide, int handsetSide, int& boatAverage,
                               int& handsetAverage);
    // Pairs the handset's radio module with a boat's (the progress dialog, cancelled by escape).
    void link_rBox_bind();
    // Installs a module update file chosen in the file dialog.
    void link_getFile_rdup(const QString& fileName);

    // --- Sonar (korvel_sonar.cpp) ------------------------------------------------------------
    SonarColumn sonar_getSonarInfo(int index, bool beep);
    void sonar_drawFish(int column, float depth, uint8_t strength, int row, bool beep);
    void sonar_checkState();
    void sonar_infoTextRefresh();
    void data_setSonarWidth(int width);
    void sonar_imageRefresh();
    void sonar_imageScroll();
    void sonar_getFile_kct(const QString& path);

    // --- Navigation (korvel_navi.cpp) --------------------------------------------------------
    // A new boat position: the map's boat, its track and, at the first fix, home.
    void navi_getCurrent();
    // Each supervision pass: arrival, the autopilot's mode, the indicators, the boat compass.
    void navi_checkState();
    void navi_setHomePoint(int lon, int lat);
    // Marks a target on the map for the remote control (no autopilot).
    void navi_setTargetPoint(int lon, int lat, int icon);
    // Sends the boat to a point by autopilot, or says why not ("405" ... "409").
    void navi_goToPoint(EnumTargetType type, int lon, int lat, int icon);
    void navi_goHome();
    void navi_beforeAp();
    // The current target is reached.
    void navi_afterAp();
    void navi_stopAp();
    void navi_zoomTrack();
    void navi_apKeyLongPress();
    // "Go to the target now" for a waypoint: "NO" or "Go".
    void navi_askGoToWaypoint(int lon, int lat, int icon);
    // The map cursor was confirmed: "Save" it or "Go" there.
    void dialog_selectPoint_use(const QPoint& point);

    // --- Dialogs and menus (korvel_dialogs.cpp) ----------------------------------------------
    void dialog_init();
    void dialog_question_click(const QString& type, const QString& key);
    void dialog_progress_click(const QString& type, const QString& key);
    void dialog_feedback_todo(const QString& type);
    void dialog_feedback_success(const QString& type);
    void dialog_feedback_fail(const QString& type);
    void dialog_file_nameGet(const QString& type, const QString& fileName);
    void dialog_sysinfo_show();
    void dialog_debugWindow_loadCmdString();
    void menu_init();

    // --- Waypoints (korvel_waypoint.cpp) -----------------------------------------------------
    // The waypoint screen, its five pages loaded (one start-up step each) and its signals.
    void menu_initWaypoint();
    // Who takes a waypoint picked in selection mode, by the asking screen's key ("goBack",
    // "multiTarget"); the screens that pick register here. A receiver that refuses the pick
    // (false) leaves the list open for another.
    using WaypointReceiver = std::function<bool(const StructWaypoint&)>;
    void menu_setWaypointReceiver(const QString& title, const WaypointReceiver& receiver);

    // --- KML (korvel_kml.cpp) ----------------------------------------------------------------
    // The export screen, the waypoint screen's two KML rows and the file chooser's "waypoint"
    // and "kml" tags.
    void menu_initKml();
    // Reads a chosen file's placemarks and asks where to put them ("kmlWaypoint").
    void data_readKmlWaypoint(const QString& file);
    // The slots of an export range, from the lower of the two to the higher (from, to), within
    // the store.
    QVector<StructWaypoint> data_waypointBlock(int idx_from, int idx_to, int& from, int& to);
    // The question for waypoints read from a file (KML or GPX): how many (foundText after the
    // count) and where they go, or why none can be.
    void data_askWaypointImport(const QVector<StructKmlWaypoint>& read, EnumTrString foundText);
    // "OK" to that question: the waypoints into the slots from the current one on.
    void data_importKmlWaypoint();
    // "Import Outline": the file's placemarks as the map's outlines.
    void navi_getFile_kml(const QString& file);
    // --- GPX (korvel_gpx.cpp) ----------------------------------------------------------------
    // The GPX rows of the waypoint and course screens and the file chooser's "gpxWaypoint" and
    // "gpxCourse" tags.
    void menu_initGpx();
    void data_exportWaypointGpx(int idx_from, int idx_to);
    void data_exportCourseGpx(int slot);
    void data_exportTrackGpx();
    bool data_gpxReadable(const StructGpxDocument& doc, const QString& file);
    void data_readGpxWaypoint(const QString& file);
    // A route (or a track) into the course screen's slot, after the question.
    void data_readGpxCourse(const QString& file);
    // --- Courses (korvel_route.cpp) ----------------------------------------------------------
    // The course screen, its headers read (one start-up step) and its signals.
    void menu_initRoute();
    // A course sample while the boat moves (not in the simulator): the first fix of the live
    // course, then whenever the boat is a sample step (and a metre) from the last sample.
    void navi_recordCourse(const QPoint& boat);

    // --- List modes (korvel_list_modes.cpp, korvel_list_screens.cpp) -------------------------
    // The go-back, multi-target and course-cruise screens and their signals.
    void menu_initListModes();
    // Go-back: the first target, then after the wait the second.
    void navi_goBackStart();
    void navi_goBackNext();
    // The multi-target list, or the course-cruise screen's points.
    void navi_multiTargetStart(EnumListKind kind);
    void navi_multiTargetNext();
    // A stop, an error, the remote control or a single go-to ends a running list mode.
    void navi_endListModes();

    // --- Info panels (korvel_info.cpp) -------------------------------------------------------
    // Shows the panel's content code from the current values; the distance overlay too.
    void info_refreshInfoPan_single(int panel);
    // The panel menu's choice for the selected panel: stored, shown and saved at once.
    void info_changeInfoPan(int menuIndex);
    // Marks the panel the user is about to change (-1: none).
    void info_selectPanel(int panel);
    // The panel menu over the selected panel: the eight contents.
    void info_showPanelMenu();

    // --- Menus (korvel_menu*.cpp) ------------------------------------------------------------
    // The main menu on its basic page, the quick menu on the model's quick page.
    void menu_showMain();
    void menu_showQuick();
    // The next page of the main menu's ring.
    void menu_changeMain();
    // A row of the page on screen was chosen.
    void menu_clickMain(int row);
    // Leaves the main menu and saves the configuration.
    void menu_closeMain();
    // A row of the command list, and its closing.
    void menu_clickSub_item(const QString& tag, int row);
    void menu_hideSub_item(const QString& title);
    // The two compass calibrations of the GPS page.
    void menu_caliDisplayCompass();
    void menu_caliBoatCompass();
    // The handset compass; it looks for its chip (up to five attempts) on its own thread.
    void navi_setHandsetCompass(std::unique_ptr<HandsetCompass> compass);
    // Whether the compass answered at start (the flag is set once it has).
    bool navi_compassPresent();
    // The tick's compass read, left out while the compass is being calibrated; the filtered
    // heading goes to the map and both compass views.
    void navi_readHandsetCompass();
    void navi_showCompasses();
    // The compass test dialog's angles (every tick while it is open).
    void navi_showCompassTest();
    CompassViews& compassViews() const { return *m_compassViews; }
    bool menu_boatCaliRunning() const;

    // The sonar history: half an hour of live frames and the replayed log, browsed with the
    // history bar from the quick page's "Sonar History" (korvel_history.cpp).
    void history_init();
    void history_show();
    void history_leave();
    void history_openLog(const QString& file);
    void history_closeLog();
    // The frames of this tick: from the replay when a log plays, else from the link.
    void history_takeFrames(const QString& source);
    void history_step(int frames);
    void history_skip(int seconds);
    void history_playPause();
    void history_nextSpeed();
    void history_showCommands(int row);
    void history_clickCommand(int row);
    void history_mark();
    void history_jumpTo(int percent);
    void history_seekRecord(int record);
    void history_refreshBar();
    StructBoatValues history_shownValues() const;
    int history_framesShown() const;
    void history_showWindow();
    void history_refillFromReplay();

    // Safety on the water (korvel_safety.cpp): only gated fixes used, a lost link said within
    // three seconds, and the battery reserve the way home needs.
    void safety_init();
    void safety_takeFix(int lastLat, int lastLon);
    void safety_tick();
    QString safety_doingText() const;
    void safety_refreshStrips(qint64 now);
    void safety_checkReserve(qint64 now);
    const StructReserveEstimate& safety_reserve() const { return m_reserveEstimate; }
    const LinkLossWatch& safety_linkLoss() const { return m_linkLoss; }

    // --- The parts, for the script runner, the tests and the benchmarks ----------------------
    UxScene* scene() const { return m_scene; }
    UxView* view() const { return m_view; }
    UxData* data() const { return m_data; }
    UxNavi* navi() const { return m_navi; }
    NavigationState& navigation() const;
    DepthMapState& depthMap() const { return *m_depthMap; }
    const StructHomePosition& homePosition() const { return m_naviState->home(); }
    HomeQuestionGate& homeQuestionGate() { return m_naviState->homeQuestionGate(); }
    QTimer* mainTimer() const { return m_timerMain; }
    DialogHost& dialogs() const { return *m_dialogs; }
    // How the state layer asks and tells: the dialogs.
    Prompter& prompter() const;
    // The waypoints, the courses and the multi-target list; the screens show them.
    WaypointBook& waypointBook() const { return *m_waypointBook; }
    CourseBook& courseBook() const { return *m_courseBook; }
    MultiTargetList& multiTargetList() const { return *m_multiTargetList; }
    UxSubMenuWaypoint* waypointMenu() const { return m_waypoint; }
    UxSubMenuRoute* routeMenu() const { return m_route; }
    UxSubMenuGoBack* goBackMenu() const { return m_goBack; }
    UxSubMenuMultiTarget* multiTargetMenu() const { return m_multiTarget; }
    UxSubMenuRouteAp* routeApMenu() const { return m_routeAp; }
    const ListRun& listRun() const { return m_naviState->listRun(); }
    MenuHost& menus() const { return *m_menus; }
    Recorder& recorder() const { return *m_recorder; }
    SonarPicture& picture() const { return *m_picture; }
    SonarHistoryState& sonarHistory() const { return *m_sonarHistory; }
    UxHistoryBar* historyBar() const { return m_historyBar; }
    UxSonar* sonar() const;
    StatusIcons& statusIcons() const { return *m_statusIcons; }
    SdMountThread* sdThread() const { return m_sdThread; }
    ShowCPUMemory* monitor() const { return m_showCpuMemory; }
    Backlight& backlight() const { return *m_backlight; }
    SonarHistory& history() { return m_history; }
    const StructBoatValues& values() const { return m_boatValues.values(); }
    StructBoatValues& values() { return m_boatValues.values(); }
    const StructFlagRow& flags() const { return m_flags; }
    const StructUpdateFlags& updateFlags() const { return m_update; }
    QString link_sonar_lastCfg() const { return m_sonarLastCfg; }
    int tickCount() const { return m_tickCount; }
    void setTickCount(int count) { m_tickCount = count; }
    int selectedPanel() const;
    InfoPanels& infoPanels() const { return *m_infoPanels; }
    ScreenOverlays& overlays() const { return *m_overlays; }
    ItemDevMode* devModeItem() const;
    bool recordMarkShown() const;
    bool exportMarkShown() const;

signals:
    // An alarm of the periodic check fired: its question type and message text index.
    void signal_alarm(QString type, int messageText);
    // A firmware update of the sonar box ended.
    void signal_updateFinished(bool ok);

public slots:
    void slot_timeout_main();
    void slot_system_powerOff();
    void slot_question_confirm(QString type, QString key);
    void slot_progress_keyClick(QString type, QString key);
    void slot_feedback_todo(QString type);
    void slot_feedback_success(QString type);
    void slot_feedback_fail(QString type);
    void slot_file_getName(QString type, QString fileName);
    void slot_debugWindow_sendTestCmd();
    void slot_debugWindow_receiveSth(QString text);
    void slot_key_click(QString key);
    void slot_key_press(QString key);
    void slot_infoPan_change(int itemIdx);
    void slot_selectPoint_use(QPoint point);
    void slot_waypoint_needNew();
    void slot_waypoint_setAsTarget(StructWaypoint waypoint);
    void slot_waypoint_gotoTarget(StructWaypoint waypoint);
    void slot_waypoint_quickGotoTarget(StructWaypoint waypoint);
    void slot_waypoint_selected(QString type);
    void slot_waypoint_itemClick(QString type, StructWaypoint waypoint);
    void slot_waypoint_exportCsv();
    void slot_waypoint_exportKml();
    void slot_waypoint_importKml();
    void slot_exportKml_confirm(int idx_from, int idx_to);
    void slot_menu_changeMain();
    void slot_menu_closeMain();
    void slot_menu_clickMain(int row);
    void slot_submenu_keyClick_ok();
    void slot_subMenu_clickItem(QString tag, int row);
    void slot_subMenu_hide(QString title);
    void slot_routeColor_confirm(bool automatic, int upper, int lower);
    void slot_route_copyToSD(bool ok);
    void slot_route_readFromSD();
    void slot_route_readFromSD(bool ok);
    void slot_route_show(QList<StructRouteDetail> details);
    void slot_goBack_start();
    void slot_multiTarget_start();
    void slot_multiTarget_targetTooFar(int row);
    void slot_multiTarget_import();
    void slot_routeAp_start();
    void slot_routeAp_tooMany();
    void slot_routeAp_exit();

private:
    void system_initBoard();
    void system_startSdThread();
    void system_applyScreenLayout(int screenMode);
    void system_placeMap(const StructScreenLayout& layout);
    bool link_startUpdate(bool autopilot, const QByteArray& image);
    // What installing an update file asks of the controller (korvel_link_watch.cpp).
    static std::unique_ptr<ModuleInstallHost> link_makeInstallHost(Korvel& korvel);
    void link_updateView(const StructUpdateView& view);
    void link_updateEnded(bool ok, const QString& code, int blocksSent);
    void link_bindView(const StructBindView& view);
    void link_bindEnded(bool bound);
    StructInfoPanSource info_source() const;
    // The navigation state and what its signals show (korvel_navi.cpp).
    void navi_initState();
    // The lake's depth map: built from the frames the boat sends, kept under /opt, shown
    // under the track, and its commands in the quick page's "Depth Map" list.
    void depthMap_init();
    void depthMap_takeFrames(const QVector<kvl_w>& frames);
    void depthMap_tick();
    void depthMap_showMenu(int row);
    void depthMap_clickRow(int row);
    void depthMap_export();
    void depthMap_addLog(const QString& file);
    // The link's supervision and the frequency icon it keeps (korvel_link_watch.cpp).
    void link_initWatch();
    void link_refreshFreqIcon();
    // Writes an export to the SD card and says how it went (title: its text index).
    bool data_exportToCard(const QString& name, const QByteArray& bytes, EnumTrString title);
    // Several files, each replaced whole or not at all; okText under the title when all went.
    bool data_exportFilesToCard(const QVector<QPair<QString, QByteArray>>& files,
                                EnumTrString title, const QString& okText);
    // The menus' widgets answer the controller (korvel_menu.cpp).
    void menu_connect();
    void menu_showPage(const QString& type);
    // What a chosen row does; false for a row without an action.
    bool menu_runRow(const QString& type, int row);
    void dialog_awaitAck(EnumDialogKind kind, const std::atomic<uint8_t>& flag,
                         std::function<void()> resend);
    void dialog_ignoreAlarm(EnumDialogKind kind);
    void menu_initBoatCali();
    void menu_boatCaliEnd(BoatCompassCali::EnumEnd end);
    void menu_boatCaliKey(const QString& key);

    static constexpr int kTickWrap = 10000;
    static constexpr int kTickMs = 125;

    // The parts, made once by the constructor.
    UxScene* m_scene = nullptr;
    UxView* m_view = nullptr;
    ItemLogo* m_logo = nullptr;
    UxData* m_data = nullptr;
    QTimer* m_timerMain = nullptr;
    ShowCPUMemory* m_showCpuMemory = nullptr;
    SdMountThread* m_sdThread = nullptr;
    std::unique_ptr<Backlight> m_backlight;
    std::unique_ptr<StatusIcons> m_statusIcons;
    std::unique_ptr<InfoPanels> m_infoPanels;
    std::unique_ptr<ScreenOverlays> m_overlays;
    std::unique_ptr<DialogHost> m_dialogs;
    std::unique_ptr<DialogPrompter> m_prompter;
    std::unique_ptr<MenuHost> m_menus;
    std::unique_ptr<SonarPicture> m_picture;
    Recorder* m_recorder = nullptr;
    ModuleUpdateRun* m_moduleUpdate = nullptr;
    ModuleInstall* m_install = nullptr;
    std::unique_ptr<ModuleInstallHost> m_installHost;
    RadioBind* m_bind = nullptr;
    ModuleCheck m_moduleCheck;
    std::unique_ptr<LinkWatch> m_linkWatch;
    RssiFilter m_rssi;
    QString m_signalIcon;   // the picture the signal icon shows
    QString m_freqIcon;     // the picture the frequency icon shows
    int m_apTargetLat = 0;  // ddS32
    int m_apTargetLon = 0;
    ModalWatch m_modals;
    SonarHistory m_history;
    std::unique_ptr<SonarHistoryState> m_sonarHistory;
    SonarHistory m_historyWindow;  // what the echogram shows while it stands still
    UxHistoryBar* m_historyBar = nullptr;
    bool m_columnDue = false;   // this tick brought a column for the echogram
    bool m_frameFresh = false;  // this tick's frame is new from its source
    FixWatch m_fixWatch;
    LinkLossWatch m_linkLoss;
    QString m_linkLostDoing;  // what the boat was doing when the link went
    StructLastReadouts m_lastMeasured;
    std::unique_ptr<BatteryReserve> m_reserve;
    StructReserveEstimate m_reserveEstimate;
    EnumReserveStage m_reserveRaised = EnumReserveStage::None;
    QElapsedTimer m_safetyClock;
    UxAlertStrip* m_linkStrip = nullptr;
    UxAlertStrip* m_fixStrip = nullptr;
    BoatValues m_boatValues;
    AlarmMonitor m_alarms;
    HeadingFilter m_headingFilter;

    // The controller's own state.
    StructFlagRow m_flags;
    StructUpdateFlags m_update;
    int m_updateSyncWaitMs = 200;
    int m_updateIdleWaitMs = 10;
    QString m_sonarLastCfg;
    // The file chooser's tags and what takes the chosen file.
    int m_tickCount = 0;
    int m_oddCount = 0;
    char m_model = 0;
    bool m_highlightDimmed = false;
    bool m_poweringOff = false;
    int m_currentBaudRate = 3;     // the port opens at 115200
    int m_currentScreenMode = -1;  // the layout last applied; none yet at start
    int m_currentLanguage = -1;    // -1: taken from the configuration on the first check
    int m_currentDevMode = 0;      // the overlay starts hidden
    int m_currentUnit = -1;        // the units the map's texts were made in

    // Navigation. The acknowledgement flags are watched by the feedback dialog and set from
    // the autopilot's reports.
    UxNavi* m_navi = nullptr;
    std::unique_ptr<NavigationState> m_naviState;
    std::unique_ptr<DepthMapState> m_depthMap;
    QElapsedTimer m_depthClock;
    QPoint m_navi_lastRoutePoint;  // the last course sample, relative

    // The data the screens below show, made before them.
    std::unique_ptr<WaypointBook> m_waypointBook;
    std::unique_ptr<CourseBook> m_courseBook;
    std::unique_ptr<MultiTargetList> m_multiTargetList;

    // Waypoints.
    UxSubMenuWaypoint* m_waypoint = nullptr;
    QHash<QString, WaypointReceiver> m_waypointReceivers;
    UxSubMenuExportKml* m_exportKml = nullptr;
    QVector<StructKmlWaypoint> m_kmlWaypoints;  // read, waiting for the import question
    StructRoute m_gpxCourse;                    // read from a GPX file, waiting for its question

    // Courses and the list modes' screens.
    UxSubMenuRoute* m_route = nullptr;
    UxSubMenuGoBack* m_goBack = nullptr;
    UxSubMenuMultiTarget* m_multiTarget = nullptr;
    UxSubMenuRouteAp* m_routeAp = nullptr;

    // Menus: the boat compass calibration being followed, and the handset compass.
    std::unique_ptr<BoatCompassRun> m_boatCali;
    std::unique_ptr<HandsetCompass> m_compass;
    std::unique_ptr<CompassViews> m_compassViews;
    DisplayCompassCali* m_compassCali = nullptr;
};

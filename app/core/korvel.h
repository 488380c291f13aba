#pragma once

#include "core/alarm_monitor.h"
#include "data/depth_median_filter.h"
#include "link/kvl_frame.h"
#include "navi/heading_filter.h"
#include "sonar/sonar_column.h"
#include "sonar/sonar_state_check.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QGraphicsPixmapItem;
class QGraphicsSimpleTextItem;
class QTimer;
class ItemLogo;
class UxScene;
class UxView;
class UxData;
class ShowCPUMemory;
class SdMountThread;
class UxDialogHint;
class UxDialogQuestion;
class UxDialogProgress;
class UxDialogFeedBack;
class UxDialogFile;
class UxDialogPowerOff;
class UxDialogCountDown;
class UxDialogCheck;
class UxDialogCali;
class UxDialogTest;
class UxDialogSysInfo;
class UxDialogDebugWindow;
class UxSonar;
class UxMainMenu;
class UxSmallMenu;
class UxSubMenuValue;
class UxSubMenuItem;
class UxSubMenuItemSingle;
class UxSubMenuItemMulti;
class UxSubMenuImage;

// The controller: builds every object of the handset program once, runs the 125 ms main tick
// and routes the keys of the main screen. Its methods are grouped by area prefix and live in
// the folder of their area (init_ and system_ in core/, data_ in data/, ...).
class Korvel : public QWidget {
    Q_OBJECT
public:
    explicit Korvel(QWidget* parent = nullptr);
    ~Korvel() override;

    // --- Start-up (core/korvel_init.cpp) ----------------------------------------------------
    void init_var();
    void init_logo();
    void init_object();
    void init_item();
    void init_thread();
    void init_startWork();

    // --- System (core/korvel_system.cpp, core/korvel_keys.cpp) ------------------------------
    void system_useDefaultSetting();
    void system_loadConfiguration();
    bool system_saveConfiguration();
    void system_checkState();
    void system_keyClick(const QString& key);
    void system_keyPress(const QString& key);
    void system_changeScreenMode();
    // Shows the power-off dialog (long press of escape).
    void system_showPoweroffDialog();
    // Power, backlight, SD card, layouts (core/korvel_system_*.cpp).
    void system_initBoard();
    void system_startSdThread();
    void system_applyBacklight();
    void system_applyScreenLayout(int screenMode);
    bool system_haveMountSD() const;
    ShowCPUMemory* system_monitor() const { return m_showCpuMemory; }
    SdMountThread* system_sdThread() const { return m_sdThread; }
    QGraphicsPixmapItem* system_statusIcon(int index) const { return m_statusIcons.value(index); }

    // --- Data (data/korvel_data_*.cpp) --------------------------------------------------------
    void data_checkState();
    // Sonar history and current values (data/korvel_data_history.cpp).
    void data_getOrigin_kvlw();
    void data_getCurrent_kvlw();
    unsigned data_utc2Local(unsigned word);
    float data_calcMiddle_depth(float x);
    const QList<kvl_w>& data_history() const { return m_history; }
    // Data logger and record/replay (data/korvel_data_record.cpp); the two check methods are
    // steps 6 and 7 of system_checkState.
    void data_exportCurrentData();
    void data_checkExportMode();
    void data_checkRecordMode();
    QString data_loggerFileName() const { return m_loggerFileName; }
    QString data_recordFileName() const { return m_recordFileName; }
    // True while the record mark shows, i.e. while frames really go to a log file.
    bool data_recordMarkShown() const;
    bool data_exportMarkShown() const;

    // Values derived from the newest sonar frame (besides boat_heading, gps_satellites,
    // boat_voltage and current_depth below).
    float water_temp = 0;    // degrees Celsius
    float sonar_range = 10;  // metres, 3..50
    int sonar_status = 0;    // the frame's status byte
    int gps_fixQuality = 0;  // HDOP x 100
    int boat_lat = 0;        // ddS32
    int boat_lon = 0;        // ddS32
    float boat_speed = 0;    // m/s
    unsigned boat_time = 0;  // packed local date-time, 0 before the first GPS time

    // --- Link (link/korvel_link_*.cpp) --------------------------------------------------------
    // Sonar box: configuration messages, hello, boat compass calibration
    // (link/korvel_link_sonar.cpp).
    void link_sonar_send_cfg(const QString& key);
    void link_sonar_get_hello();
    void link_sonar_boatCali();
    QString link_sonar_lastCfg() const { return m_sonarLastCfg; }
    // Firmware update of the sonar box (link/korvel_link_update_sonar.cpp): runs to its end
    // with the main timer stopped, letting events run between steps. True on success.
    bool link_update_sonar(const QByteArray& image);
    // Shortens the update's waits (tests); {200, 10} by default.
    void link_setUpdateTiming(int syncWaitMs, int idleWaitMs);
    // Update flags, shared with the autopilot update and read by link supervision.
    bool flag_update_inProgress = false;
    bool flag_update_done = false;
    bool flag_update_aborted = false;

    // --- Sonar (sonar/korvel_sonar_*.cpp) -----------------------------------------------------
    // One echogram column from history entry index, and the fish it hands to the echogram
    // (sonar/korvel_sonar_column.cpp).
    SonarColumn sonar_getSonarInfo(int index, bool beep);
    void sonar_drawFish(int column, float depth, uint8_t strength, int row, bool beep);
    // Automatic range and redraw triggers, read-out digits, echogram width
    // (sonar/korvel_sonar_state.cpp).
    void sonar_checkState();
    void sonar_infoTextRefresh();
    void data_setSonarWidth(int width);
    // Drawing the echogram (sonar/korvel_sonar_image.cpp).
    void sonar_imageRefresh();
    void sonar_imageScroll();
    // Loads a user colour table picked on the SD card (sonar/korvel_sonar_color_table.cpp).
    void sonar_getFile_kct(const QString& path);
    UxSonar* sonar() const { return m_sonar; }
    float sonar_displayRange() const { return m_sonarRange; }
    int sonar_columns() const { return m_sonarWidth; }
    // Appends a frame to the history and drops the oldest, as a new frame from the data
    // source does (tests and benchmarks that play their own frames).
    void sonar_feedHistory(const kvl_w& frame);

    // --- Navigation (navi/korvel_navi_*.cpp) --------------------------------------------------

    // --- Menus, dialogs and panels (ui/korvel_menu_*.cpp, ui/korvel_dialog_*.cpp,
    //     ui/korvel_info_*.cpp) ------------------------------------------------------------------
    // Dialogs: created once, hidden, at their fixed positions (ui/korvel_dialog_init.cpp).
    void dialog_init();
    // Answers and results of the dialogs (ui/korvel_dialog_handlers.cpp).
    void dialog_question_click(const QString& type, const QString& key);
    void dialog_progress_click(const QString& type, const QString& key);
    void dialog_feedback_todo(const QString& type);
    void dialog_feedback_success(const QString& type);
    void dialog_feedback_fail(const QString& type);
    void dialog_file_nameGet(const QString& type, const QString& fileName);
    void dialog_sysinfo_show();
    void dialog_debugWindow_loadCmdString();
    // Shows the question that an alarm of the periodic check asks.
    void dialog_showAlarm(const QString& type, int messageText);
    UxDialogHint* dialogHint() const { return m_dialogHint; }
    UxDialogQuestion* dialogQuestion() const { return m_uxDialogQuestion; }
    UxDialogProgress* dialogProgress() const { return m_dialogProgress; }
    UxDialogFeedBack* dialogFeedBack() const { return m_dialogFeedBack; }
    UxDialogFile* dialogFile() const { return m_dialogFile; }
    UxDialogPowerOff* dialogPowerOff() const { return m_dialogPowerOff; }
    UxDialogCountDown* dialogCountDown() const { return m_dialogCountDown; }
    UxDialogCheck* dialogCheck() const { return m_uxDialogCheck; }
    UxDialogCali* dialogCali() const { return m_dialogCali; }
    UxDialogTest* dialogTest() const { return m_dialogTest; }
    UxDialogSysInfo* dialogSysInfo() const { return m_dialogSysInfo; }
    UxDialogDebugWindow* dialogDebugWindow() const { return m_dialogDebugWindow; }
    // Menu widgets: created once, hidden, at their fixed places (ui/korvel_menu_init.cpp).
    void menu_init();
    // The periodic work of the menu widgets (held-key repeat), called by the main tick.
    void menu_doTimer();
    UxMainMenu* menuMain() const { return m_menuMain; }
    UxSmallMenu* menuSmall() const { return m_menuSmall; }
    UxSubMenuValue* subMenuValue() const { return m_subMenuValue; }
    UxSubMenuItem* subMenuItem() const { return m_subMenuItem; }
    UxSubMenuItemSingle* subMenuSingle() const { return m_subMenuSingle; }
    UxSubMenuItemMulti* subMenuMulti() const { return m_subMenuMulti; }
    UxSubMenuImage* subMenuImage() const { return m_subMenuImage; }

    // --- Inspection for the script runner and the tests -------------------------------------
    UxScene* scene() const { return m_scene; }
    UxView* view() const { return m_view; }
    UxData* data() const { return m_data; }
    QTimer* mainTimer() const { return m_timerMain; }
    int tickCount() const { return m_tickCount; }
    void setTickCount(int count) { m_tickCount = count; }
    int selectedPanel() const { return m_selectedPanel; }
    // Records the name of every main-tick step while set (nullptr: off).
    void setTickTrace(QStringList* trace) { m_tickTrace = trace; }
    // Menus and dialogs register here; while one is visible the main screen is dimmed.
    void system_registerModal(QWidget* widget);

    // The current boat values that the link writes and the screens read.
    float boat_heading = 0;
    int gps_satellites = 0;
    float boat_voltage = 0;
    float current_depth = 0;
    float handset_voltage = 0;
    bool sonar_dataArriving = false;

    // The flag row: alarm ignore flags and the compass-present flag.
    bool flag_ignoreShallow = false;
    bool flag_ignoreVtg = false;
    bool flag_ignoreBoatVtg = false;
    bool flag_compassPresent = false;

signals:
    // An alarm of the periodic check fired: its question type and message text index.
    void signal_alarm(QString type, int messageText);

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
    void slot_countDown_timeOver();

private:
    void traceStep(const char* step);
    bool system_modalVisible() const;

    static constexpr int kTickWrap = 10000;
    static constexpr int kTickMs = 125;

    UxScene* m_scene = nullptr;
    UxView* m_view = nullptr;
    ItemLogo* m_logo = nullptr;
    UxData* m_data = nullptr;
    QTimer* m_timerMain = nullptr;
    QList<QGraphicsPixmapItem*> m_statusIcons;
    QGraphicsPixmapItem* m_icoSignal = nullptr;
    QGraphicsPixmapItem* m_icoSdCard = nullptr;
    QGraphicsPixmapItem* m_icoFreq = nullptr;
    QGraphicsPixmapItem* m_icoGoBack = nullptr;
    QGraphicsPixmapItem* m_icoMultiTarget = nullptr;
    QList<QWidget*> m_modalWidgets;
    QWidget* m_dialogCheck = nullptr;
    QWidget* m_dialogQuestion = nullptr;

    int m_tickCount = 0;
    int m_oddCount = 0;
    int m_selectedPanel = -1;
    int m_sonarWidth = 246;
    float m_sonarRange = 10.0f;
    char m_model = 0;
    QString m_currentString;
    int m_currentValue = 0;
    bool m_highlightDimmed = false;

    AlarmMonitor m_alarms;
    HeadingFilter m_headingFilter;
    QStringList* m_tickTrace = nullptr;

    // --- System supervision members
    ShowCPUMemory* m_showCpuMemory = nullptr;
    SdMountThread* m_sdThread = nullptr;
    float m_currentBacklight = -1;  // the level last written; none yet at start
    int m_currentBaudRate = 3;      // the port opens at 115200
    int m_currentScreenMode = -1;   // the layout last applied; none yet at start

    // --- Dialog members (the same check and question dialogs as m_dialogCheck and
    //     m_dialogQuestion, typed)
    UxDialogHint* m_dialogHint = nullptr;
    UxDialogQuestion* m_uxDialogQuestion = nullptr;
    UxDialogProgress* m_dialogProgress = nullptr;
    UxDialogFeedBack* m_dialogFeedBack = nullptr;
    UxDialogFile* m_dialogFile = nullptr;
    UxDialogPowerOff* m_dialogPowerOff = nullptr;
    UxDialogCountDown* m_dialogCountDown = nullptr;
    UxDialogCheck* m_uxDialogCheck = nullptr;
    UxDialogCali* m_dialogCali = nullptr;
    UxDialogTest* m_dialogTest = nullptr;
    UxDialogSysInfo* m_dialogSysInfo = nullptr;
    UxDialogDebugWindow* m_dialogDebugWindow = nullptr;

    // --- Data: history, current values, recording and data logger members
    QList<kvl_w> m_history;
    uint8_t m_lastRawData[240] = {};
    DepthMedianFilter m_depthFilter;
    QString m_loggerFileName;
    QString m_recordFileName;
    unsigned m_loggerLastTime = 0;
    int m_currentDataExport = -1;  // -1: taken from the configuration on the first check
    int m_currentWorkMode = -1;
    QGraphicsSimpleTextItem* m_recordMark = nullptr;
    QGraphicsSimpleTextItem* m_exportMark = nullptr;

    // --- Link: sonar box members
    QString m_sonarLastCfg;
    int m_updateSyncWaitMs = 200;
    int m_updateIdleWaitMs = 10;

    // --- Sonar members
    UxSonar* m_sonar = nullptr;
    SonarColumnState m_sonarColumnState;
    SonarStateCheck m_sonarStateCheck;

    // --- Menu widgets members
    UxMainMenu* m_menuMain = nullptr;
    UxSmallMenu* m_menuSmall = nullptr;
    UxSubMenuValue* m_subMenuValue = nullptr;
    UxSubMenuItem* m_subMenuItem = nullptr;
    UxSubMenuItemSingle* m_subMenuSingle = nullptr;
    UxSubMenuItemMulti* m_subMenuMulti = nullptr;
    UxSubMenuImage* m_subMenuImage = nullptr;
};

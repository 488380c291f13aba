#pragma once

#include "core/alarm_monitor.h"
#include "core/heading_filter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QGraphicsPixmapItem;
class QTimer;
class ItemLogo;
class UxScene;
class UxView;
class UxData;

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

    // --- Data (data/korvel_data_*.cpp) --------------------------------------------------------
    void data_checkState();

    // --- Link (link/korvel_link_*.cpp) --------------------------------------------------------

    // --- Sonar (sonar/korvel_sonar_*.cpp) -----------------------------------------------------

    // --- Navigation (navi/korvel_navi_*.cpp) --------------------------------------------------

    // --- Menus, dialogs and panels (ui/korvel_menu_*.cpp, ui/korvel_dialog_*.cpp,
    //     ui/korvel_info_*.cpp) ------------------------------------------------------------------

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
    void slot_key_click(QString key);
    void slot_key_press(QString key);

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
};

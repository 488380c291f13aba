#pragma once

#include "base/ap_mode.h"
#include "base/geo_point.h"
#include "data/struct_multi_target.h"
#include "data/struct_waypoint.h"
#include "link/link_state.h"
#include "navi/ap_mode_watch.h"
#include "navi/boat_compass_watch.h"
#include "navi/home_question_gate.h"
#include "navi/navi_file.h"
#include "navi/navi_target.h"
#include "state/go_back_request.h"
#include "state/list_run.h"
#include "state/map_content.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <atomic>
#include <cstdint>
#include <functional>

class LinkState;
class Prompter;
struct StructBoatValues;

// A go-to request: the point sent to the autopilot, the icon of its mark and the kind of task.
struct StructNaviTarget {
    GeoPoint point;
    int icon = 0;
    EnumTargetType type = EnumTargetType::TargetPoint;
};

// What the navigation needs from the rest of the handset: the autopilot's two sentences, the
// waypoint slots and whether a module update or a binding holds the link.
struct StructNaviPorts {
    std::function<void(const GeoPoint&)> sendStart;
    std::function<void()> sendStop;
    std::function<StructWaypoint(int)> waypoint;
    std::function<bool()> linkBusy;
};

// What the indicators show after a check: the autopilot's and the remote control's LEDs, the
// boat compass's calibration mark and the blinking boat of a poor fix.
struct StructNaviIndicators {
    bool heard = false;                     // the autopilot is heard: the LEDs follow it
    bool allOff = false;                    // it has just gone silent: both LEDs off, once
    bool apRunning = false;                 // a task runs
    EnumRcState rc = EnumRcState::Unknown;  // Unknown: the LED stays as it is
    bool boatCaliLooked = false;            // the boat compass's reports were looked at
    bool boatNeedCali = false;
    bool blink = false;
};

// The navigation of the handset without a widget: home, the target, the go-to with its
// acknowledgement, arrival, the autopilot's mode follow-up and the chained list modes. It
// speaks to the user through the Prompter and tells the map and the screens what changed
// through its signals; the controller feeds it the boat's fixes and runs its check.
// A place the boat was and the depth it measured there.
struct StructTrackFix {
    GeoPoint at;
    float depth = 0;
};

class NavigationState : public QObject {
    Q_OBJECT
public:
    NavigationState(LinkState& link, const StructBoatValues& values, Prompter& prompter,
                    StructNaviPorts ports, QObject* parent = nullptr);

    // --- Position ----------------------------------------------------------------------------
    // A new fix of the boat: the track, and at the first usable fix home.
    void takeFix();
    void setHome(const GeoPoint& home);
    const StructHomePosition& home() const { return m_home; }
    bool homeSet() const { return m_homeShown; }
    QPoint homePoint() const { return m_homePoint; }
    HomeQuestionGate& homeQuestionGate() { return m_homeQuestion; }
    // The track, the course and the outlines the map draws.
    MapContent& map() { return m_map; }
    // The track becomes these fixes (a replay that jumped): those less than a metre from the
    // one before are left out, as they are while the boat moves.
    void replaceTrack(const QVector<StructTrackFix>& fixes);
    const MapContent& map() const { return m_map; }

    // --- Targets ------------------------------------------------------------------------------
    // A mark for the remote control (no autopilot).
    void markTarget(const GeoPoint& point, int icon);
    void goTo(EnumTargetType type, const GeoPoint& point, int icon);
    void goHome();
    void beforeAp();
    void afterAp();
    void stopAp();
    // A long press of the autopilot key: stop a running task, otherwise home.
    void apKeyLongPress();
    void askStop();
    void askGoToWaypoint(const GeoPoint& point, int icon);
    // The map cursor was confirmed (a relative point): save it or go there.
    void askCursorUse(const QPoint& point);
    void clearTarget();
    // The target on the map at a relative point, without a task.
    void showTargetAt(const QPoint& point, int icon);
    const StructNaviTarget& target() const { return m_target; }
    bool targetSet() const { return m_targetShown; }
    QPoint targetPoint() const { return m_targetPoint; }
    int targetIcon() const { return m_target.icon; }
    // Metres from the boat to the target shown, -1 without one.
    float targetDistance() const;

    // --- Supervision --------------------------------------------------------------------------
    // Each pass: arrival by silence or by the remote control, the mode follow-up, the
    // indicators (indicatorsChanged).
    void check();
    const StructNaviIndicators& indicators() const { return m_indicators; }
    // After a successful calibration a new disturbance is worth a new warning.
    void allowCompassWarningAgain() { m_boatCompass.allowWarningAgain(); }

    // --- List modes ---------------------------------------------------------------------------
    // False (and a hint said) when the request cannot start.
    bool startGoBack(const StructGoBackRequest& request);
    void startList(const QList<StructMultiTarget>& targets, bool noStop, EnumListKind kind);
    void endListModes();
    // The screens' refusals to start: a list target out of reach, a course of too many points.
    void refuseTargetTooFar(int row);
    void refuseTooManyPoints();
    // A go-back target lies within 1000 m of the boat; farther, the user is told so.
    bool goBackTargetInReach(const StructWaypoint& target);
    // The leg after a wait (the count-down runs them).
    void goBackNext();
    void listNext();
    const ListRun& listRun() const { return m_listRun; }
    const QList<GeoPoint>& listLine() const { return m_listLine; }

signals:
    // A course sample candidate while the boat moves (not in the simulator).
    void boatMoved(QPoint point);
    // A usable fix was taken; boat: the map's boat point after it.
    void fixTaken(QPoint boat);
    void homeChanged();
    void targetChanged();
    void listModeChanged();
    void listLineChanged();
    // The go-back run starts: its screen closes before the first leg is asked for.
    void goBackStarted();
    // The task of a waypoint was taken: the waypoint screen closes.
    void waypointTaskTaken();
    // "Save" at the map cursor: a new waypoint there.
    void cursorSaveChosen(GeoPoint point);
    void indicatorsChanged();

private:
    void establishHome(const QPoint& boat);
    void followMode(const QString& mode);
    void onModeChange(const QString& previous, const QString& mode);
    void checkIndicators(bool offline, const ApInfo_t& ap);
    bool goBackTarget(int slot, StructNaviTarget* target) const;
    void goToListTarget(const StructMultiTarget& target);
    void setListLine(const QList<GeoPoint>& line);
    void endRun();
    void refuse(const QString& text);

    LinkState& m_link;
    const StructBoatValues& m_values;
    Prompter& m_prompter;
    StructNaviPorts m_ports;
    MapContent m_map;

    StructHomePosition m_home;
    bool m_homeShown = false;
    QPoint m_homePoint;
    HomeQuestionGate m_homeQuestion;
    StructNaviTarget m_target;
    bool m_targetShown = false;
    QPoint m_targetPoint;
    // Set from the autopilot's reports; the acknowledgement wait watches them.
    std::atomic<uint8_t> m_runAck{0};
    std::atomic<uint8_t> m_stopAck{0};
    ApModeWatch m_apMode;
    ListRun m_listRun;
    QList<GeoPoint> m_listLine;
    StructGoBackRequest m_goBack;
    StructNaviIndicators m_indicators;
    BoatCompassWatch m_boatCompass;
    bool m_ledsOffShown = false;
    int m_poorFixChecks = 0;
};

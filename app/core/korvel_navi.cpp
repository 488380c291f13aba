#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "link/ux_data.h"
#include "navi/convert.h"
#include "navi/geodesy.h"
#include "navi/navi_file.h"
#include "navi/navi_hints.h"
#include "navi/navi_rules.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_count_down.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_progress.h"
#include "ui/kit/ux_dialog_question.h"
#include "ui/map/item_marks.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/compass_views.h"
#include "ui/screens/screen_overlays.h"
#include "ui/screens/status_icons.h"
#include "ui/screens/ux_sub_menu_multi_target.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

#include <QGraphicsPixmapItem>

namespace {

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

// Metres from a point given in ddS32 to the map's boat point.
float distanceToBoat(UxNavi& map, int lon, int lat) {
    const QPoint p = Convert::navi_ddS32_to_relativeCoor(lon, lat);
    return Global::calc_pixDst(QPointF(p), QPointF(map.track_getCurrentRelativeCoor()));
}

}  // namespace

// --- Position -----------------------------------------------------------------------------------

void Korvel::navi_getCurrent() {
    const StructBoatValues& v = values();
    m_navi->boat_setHeading(int(v.boat_heading));
    if (v.boat_lon == 0 || v.boat_lat == 0 || v.gps_satellites <= 3) return;
    if (!Convert::haveSetStartPoint()) {
        Convert::setStartPoint(v.boat_lon, v.boat_lat);
        m_navi->track_appendPoint(Convert::navi_ddS32_to_relativeCoor(v.boat_lon, v.boat_lat),
                                  v.current_depth);
    } else if (m_navi->track_isEmpty()) {
        m_navi->track_appendPoint(Convert::navi_ddS32_to_relativeCoor(v.boat_lon, v.boat_lat),
                                  v.current_depth);
    } else {
        const QPoint p = Convert::navi_ddS32_to_relativeCoor(v.boat_lon, v.boat_lat);
        if (!Global::configuration.simulator && !m_navi->home_haveSet()) navi_establishHome(p);
        if (Global::calc_pixDst(QPointF(p), QPointF(m_navi->track_getCurrentRelativeCoor())) >
            1.0f) {
            m_navi->track_appendPoint(p, v.current_depth);
            m_navi->track_paint();
        }
        if (!Global::configuration.simulator) navi_recordCourse(p);
    }
    // The waypoint list and the multi-target list measure their distances from the map's boat.
    m_waypoint->setCurrentBoatPoint(m_navi->track_getCurrentRelativeCoor());
    m_multiTarget->setCurrentBoatPoint(m_navi->track_getCurrentRelativeCoor());
}

// The first usable fix sets home, unless a saved home lies near: then the user chooses. A
// question closed without an answer is asked again later (HomeQuestionGate).
void Korvel::navi_establishHome(const QPoint& boat) {
    UxDialogQuestion* question = m_dialogs->question();
    const bool onScreen = question->isVisible() && question->type() == QLatin1String("homePoint");
    if (!m_navi_homeQuestion.mayAsk(onScreen)) return;
    const StructHomePosition saved = NaviFile::readHome();
    const QPoint savedPoint = Convert::navi_ddS32_to_relativeCoor(saved.lon, saved.lat);
    if (saved.isSet() &&
        Global::calc_pixDst(QPointF(savedPoint), QPointF(boat)) < NaviRules::kHomeQuestionM) {
        m_navi_homeQuestion.asked();
        qCInfo(lcNavi) << "asking whether to use the saved home";
        question->showQuestion(trText(TR_Message), trText(TR_UseLastHome), trText(TR_New),
                               trText(TR_Yes), QStringLiteral("homePoint"));
        return;
    }
    navi_setHomePoint(values().boat_lon, values().boat_lat);
}

void Korvel::navi_setHomePoint(int lon, int lat) {
    if (lon == 0 || lat == 0) return;
    const bool saved = NaviFile::writeHome({lon, lat});
    if (!saved) qCWarning(lcCore) << "the home position could not be saved in" << NaviFile::kPath;
    // Kept as given: converting the map point back would depend on the latitude of whatever
    // was converted last.
    m_navi_home = {lon, lat};
    qCInfo(lcNavi) << "home set at" << lon << lat;
    m_navi->home_setPoint(Convert::navi_ddS32_to_relativeCoor(lon, lat));
    m_multiTarget->setCurrentHomePoint(m_navi->home_getPoint());
    const QString title = trText(TR_HomePosition);
    UxDialogHint* hint = m_dialogs->hint();
    hint->showHint(QString(), title, QLatin1Char(' ') + trText(TR_SetAsHome), false, true);
    hint->appendHint(QString(),
                     QLatin1Char(' ') + trText(TR_Longitude) + QStringLiteral(": ") +
                         Convert::ddS32_to_dmString_lon(lon),
                     false);
    hint->appendHint(QString(),
                     QLatin1Char(' ') + trText(TR_Latitude) + QStringLiteral(": ") +
                         Convert::ddS32_to_dmString_lat(lat),
                     false);
    // The waypoint list shows home without the blanks after the hemisphere letter.
    m_waypoint->setCurrentHomePos(Convert::ddS32_to_dmString_lat(lat).remove(1, 2),
                                  Convert::ddS32_to_dmString_lon(lon).remove(1, 1));
    // Home holds for this run; that the next start will not find it is said over the hint.
    if (!saved) m_dialogs->showSaveFailed();
}

// --- Targets ------------------------------------------------------------------------------------

void Korvel::navi_setTargetPoint(int lon, int lat, int icon) {
    const float d = distanceToBoat(*m_navi, lon, lat);
    switch (NaviRules::markTarget(d, Global::configuration.arriveAlarmLevel)) {
        case NaviRules::EnumMark::Arrived:
            navi_message(trText(TR_Message), trText(TR_TargetArrived));
            break;
        case NaviRules::EnumMark::Mark:
            m_navi->target_setPoint(Convert::navi_ddS32_to_relativeCoor(lon, lat), icon);
            m_waypoint->hide();
            m_dialogs->hint()->showHint(QString(), trText(TR_Message),
                                        trText(TR_TargetMarkedUseRemote), false, true);
            break;
        case NaviRules::EnumMark::TooFar:
            navi_showHint(QStringLiteral("403"));
            break;
    }
}

void Korvel::navi_goToPoint(EnumTargetType type, int lon, int lat, int icon) {
    const LinkState& s = m_data->linkState();
    NaviRules::StructGoToInput in;
    in.taskMode = s.currentInfoAp().taskMode();
    in.simulator = Global::configuration.simulator != 0;
    in.noDataApSeconds = s.count_noData_ap;
    in.satellites = values().gps_satellites;
    in.boatKnown = !m_navi->track_isEmpty();
    in.distance = in.boatKnown ? distanceToBoat(*m_navi, lon, lat) : 0;
    in.arriveLevel = Global::configuration.arriveAlarmLevel;
    const NaviRules::StructGoToVerdict verdict = NaviRules::goTo(in);
    if (verdict.result == NaviRules::EnumGoTo::Refused) {
        navi_showHint(verdict.code);
        // A refused leg ends the list mode it belongs to.
        if (verdict.code != QLatin1String("408")) {
            m_listRun.end();
            navi_hideListItems();
        }
        return;
    }
    m_navi_target = {lon, lat, icon, type};
    qCInfo(lcNavi) << "go to" << lon << lat << "type" << int(type)
                   << (verdict.result == NaviRules::EnumGoTo::Arrived ? "already there" : "");
    if (verdict.result == NaviRules::EnumGoTo::Arrived) {
        navi_afterAp();
        return;
    }
    navi_beforeAp();
}

void Korvel::navi_goHome() {
    if (!m_navi->home_haveSet() || !m_navi_home.isSet()) {
        navi_showHint(QStringLiteral("404"));
        return;
    }
    navi_goToPoint(EnumTargetType::TargetHome, m_navi_home.lon, m_navi_home.lat, 0);
}

void Korvel::navi_beforeAp() {
    link_ap_setTarget(m_navi_target.lat, m_navi_target.lon);
    link_ap_send_start();
    m_navi_apRunAck = 0;
    const EnumTargetType type = m_navi_target.type;
    const StructTargetFeedback f = NaviTarget::feedback(type);
    QString text = NaviTarget::connectingText(f.text);
    // A cruise without stops shows its first leg only.
    if (type == EnumTargetType::TargetMultiTarget && !m_listRun.showLegFeedback()) text.clear();
    if (type == EnumTargetType::TargetPoint || type == EnumTargetType::TargetHome)
        navi_endListModes();
    m_dialogs->feedBack()->showFeedback(f.title, text, f.key, &m_navi_apRunAck);
}

void Korvel::navi_afterAp() {
    m_navi->target_clearInfo();
    switch (m_navi_target.type) {
        case EnumTargetType::TargetPoint:
            navi_message(trText(TR_Message), trText(TR_TargetArrived));
            break;
        case EnumTargetType::TargetHome:
            navi_message(trText(TR_Message), trText(TR_HomeArrived));
            break;
        case EnumTargetType::TargetGoBack1:
            // The go-back's second leg starts when this count ends.
            m_dialogs->countDown()->showCountDown(trText(TR_GoBack), m_listRun.goBackWait());
            break;
        case EnumTargetType::TargetGoBack2:
            navi_message(trText(TR_GoBack), trText(TR_Target2Arrived));
            m_listRun.endGoBack();
            navi_hideListItems();
            break;
        case EnumTargetType::TargetMultiTarget: {
            // The next leg starts when the count ends; after the last point the run is over.
            const ListRun::StructArrival a = m_listRun.arrive();
            if (a.completed) {
                navi_message(trText(TR_Message), trText(TR_AutopilotTaskCompleted));
                navi_hideListItems();
                m_navi->multiTarget_clearLine();
            } else {
                qCInfo(lcNavi) << "waiting" << a.waitSeconds << "s before the next target";
                m_dialogs->countDown()->showCountDown(trText(TR_MultiTargetAutopilot),
                                                      a.waitSeconds);
            }
            break;
        }
    }
}

void Korvel::navi_stopAp() {
    const LinkState& s = m_data->linkState();
    switch (NaviRules::stop(Global::configuration.simulator != 0, s.count_noData_ap)) {
        case NaviRules::EnumStop::Simulator:
            navi_showHint(QStringLiteral("401"));
            return;
        case NaviRules::EnumStop::Offline:
            navi_showHint(QStringLiteral("402"));
            return;
        case NaviRules::EnumStop::Send:
            break;
    }
    link_ap_send_stop();
    if (s.currentInfoAp().taskMode() == QLatin1String("R")) {
        m_navi_apStopAck = 0;
        m_dialogs->feedBack()->showFeedback(
            trText(TR_Message), NaviTarget::connectingText(trText(TR_StopAutopilotTaskNow)),
            QStringLiteral("ap_stop"), &m_navi_apStopAck);
    }
}

// --- Supervision --------------------------------------------------------------------------------

void Korvel::navi_checkState() {
    LinkState& s = m_data->linkState();
    const ApInfo_t ap = s.currentInfoAp();
    const QString mode = ap.taskMode();
    const bool offline = s.count_noData_ap >= NaviRules::kApOfflineSeconds;

    // 1. Arrival by silence or by the remote control taking over near the target.
    if (m_navi->target_haveSet() && (offline || mode == QLatin1String("M")) &&
        m_navi->target_getCurrentDst() < Global::configuration.arriveAlarmLevel) {
        m_navi->target_clearInfo();
        qCInfo(lcNavi).noquote() << trText(TR_TargetArrived);
        m_dialogs->hint()->showHint(QString(), trText(TR_Message), trText(TR_TargetArrived), true,
                                    true);
    }

    // 2. The autopilot's mode, acted on once per change, not while it cannot be.
    if (!offline && !m_update.inProgress && !m_dialogs->progress()->isVisible()) {
        QString previous;
        if (m_navi_apMode.changed(mode, &previous)) navi_onModeChange(previous, mode);
        if (m_navi_apMode.mode() == QLatin1String("R")) m_navi_apRunAck = 1;
        if (m_navi_apMode.mode() == QLatin1String("S")) m_navi_apStopAck = 1;
    }

    // 3. Indicators, on the map and both compass views.
    StructCompassShown shown = m_compassViews->shown();
    if (!offline) {
        shown.ledAp = mode == QLatin1String("R") ? QStringLiteral("on") : QStringLiteral("off");
        if (ap.rcState() == QLatin1String("A")) shown.ledRc = QStringLiteral("on");
        if (ap.rcState() == QLatin1String("V")) shown.ledRc = QStringLiteral("off");
        m_navi_ledsOffShown = false;
    } else if (!m_navi_ledsOffShown) {
        shown.ledAp = shown.ledRc = QStringLiteral("off");
        m_navi_ledsOffShown = true;
    }
    m_navi->setLed_ap(shown.ledAp);
    m_navi->setLed_rc(shown.ledRc);

    // 4. The compass views' target icon.
    shown.targetShown = m_navi->target_haveSet();
    if (shown.targetShown) shown.targetDirection = m_navi->target_getCurrentDir();

    // 5. The boat compass's calibration reports.
    const BoatCompassWatch::StructResult cali = m_navi_boatCompass.pass(s.current_compassCali == 4);
    if (cali.evaluated) {
        if (cali.needCali) s.current_compassCali = 0;
        m_navi->boat_setNeedCali(cali.needCali);
        shown.boatNeedCali = cali.needCali;
        if (cali.warn) navi_showHint(QStringLiteral("603"));
    }

    // 6. The handset compass's own calibration mark.
    shown.handsetNeedCali = m_compass && m_compass->outOfRange();
    m_navi->info_needCali(shown.handsetNeedCali);
    m_compassViews->show(shown);

    // Blinking boat while the fix is poor.
    const int sats = values().gps_satellites;
    m_navi_poorFixChecks = sats < 3 ? std::min(m_navi_poorFixChecks + 1, 1000) : 0;
    m_navi->boat_setBlink(m_navi_poorFixChecks > 10);
}

void Korvel::navi_onModeChange(const QString& previous, const QString& mode) {
    qCInfo(lcNavi).noquote() << "autopilot mode" << previous << "->" << mode;
    const QChar m = mode.isEmpty() ? QChar() : mode.at(0);
    if (m == QLatin1Char('M')) {
        navi_endListModes();
        if (previous == QLatin1String("R"))
            navi_message(trText(TR_Message), trText(TR_EnterManualMode));
    } else if (m == QLatin1Char('R')) {
        m_navi_apRunAck = 1;
    } else if (m == QLatin1Char('F')) {
        navi_afterAp();
    } else if (m == QLatin1Char('S')) {
        navi_endListModes();
        m_navi_apStopAck = 1;
    } else if (m == QLatin1Char('E')) {
        navi_endListModes();
        navi_showHint(QStringLiteral("501"));
    } else if (m == QLatin1Char('T')) {
        navi_endListModes();
    }
}

// --- Keys, questions and answers ----------------------------------------------------------------

void Korvel::navi_zoomTrack() {
    m_navi->zoom_next();
    sonar_imageRefresh();
}

// A long press of the autopilot key: stop a running task, otherwise send the boat home.
void Korvel::navi_apKeyLongPress() {
    if (m_data->linkState().currentInfoAp().taskMode() == QLatin1String("R")) {
        navi_stopAp();
    } else {
        navi_goHome();
    }
}

void Korvel::dialog_selectPoint_use(const QPoint& point) {
    m_navi_selectPoint = point;
    m_dialogs->question()->showQuestion(trText(TR_Cursor), trText(TR_CursorSaveOrGo),
                                        trText(TR_Save), trText(TR_Go),
                                        QStringLiteral("selectPoint"));
}

void Korvel::slot_selectPoint_use(QPoint point) {
    dialog_selectPoint_use(point);
}

// "Go to the target now?" for a waypoint: only "Go" sends the boat.
void Korvel::navi_askGoToWaypoint(int lon, int lat, int icon) {
    m_navi_askedWaypoint = {lon, lat, icon, EnumTargetType::TargetPoint};
    m_dialogs->question()->showQuestion(trText(TR_Waypoint), trText(TR_GoToTargetNow),
                                        trText(TR_No), trText(TR_Go), QStringLiteral("waypoint"));
}

bool Korvel::navi_questionClick(const QString& type, const QString& key) {
    const bool right = key == QLatin1String("right");
    if (type == QLatin1String("homePoint")) {
        m_navi_homeQuestion.answered();
        if (right) {
            const StructHomePosition saved = NaviFile::readHome();
            navi_setHomePoint(saved.lon, saved.lat);
        } else {
            navi_setHomePoint(values().boat_lon, values().boat_lat);
        }
    } else if (type == QLatin1String("waypoint")) {
        const StructNaviTarget& w = m_navi_askedWaypoint;
        if (right) navi_goToPoint(EnumTargetType::TargetPoint, w.lon, w.lat, w.icon);
    } else if (type == QLatin1String("selectPoint")) {
        const QPointF p(m_navi_selectPoint);
        const int lon = Convert::navi_relativeCoor_to_ddS32_lon(p);
        const int lat = Convert::navi_relativeCoor_to_ddS32_lat(p);
        if (right) {
            navi_goToPoint(EnumTargetType::TargetPoint, lon, lat, 0);
        } else {
            // "Save": into the first free slot, never over a kept waypoint; the depth there is
            // not known.
            m_waypoint->newWaypointDetail(-1, values().boat_time, lon, lat, 0.0f);
        }
    } else if (type == QLatin1String("stop")) {
        if (!right) navi_stopAp();
    } else {
        return false;
    }
    return true;
}

void Korvel::navi_feedbackSuccess(const QString& type) {
    if (type == QLatin1String("ap_stop")) {
        navi_endListModes();
        m_navi->target_clearInfo();
    } else if (type.startsWith(QLatin1String("ap_go"))) {
        m_navi->target_setPoint(
            Convert::navi_ddS32_to_relativeCoor(m_navi_target.lon, m_navi_target.lat),
            m_navi_target.icon);
        if (type == QLatin1String("ap_goTarget")) m_waypoint->hide();
    }
}

// --- Messages -----------------------------------------------------------------------------------

void Korvel::navi_showHint(const QString& code) {
    const StructNaviHint h = NaviHints::hint(code);
    qCInfo(lcNavi).noquote() << code << h.text;
    m_dialogs->hint()->showHint(h.code, h.title, h.text, h.autoClose, true);
}

// A line added to the message on screen, or a new message when none is up.
void Korvel::navi_message(const QString& title, const QString& text) {
    qCInfo(lcNavi).noquote() << text;
    UxDialogHint* hint = m_dialogs->hint();
    if (hint->isVisible()) {
        hint->appendHint(QString(), text, true);
    } else {
        hint->showHint(QString(), title, text, false, true);
    }
}

void Korvel::navi_hideListItems() {
    m_statusIcons->icon(ScreenLayout::IconGoBack)->hide();
    m_statusIcons->icon(ScreenLayout::IconMultiTarget)->hide();
    m_overlays->goBackText()->hide();
    m_overlays->multiTargetText()->hide();
}

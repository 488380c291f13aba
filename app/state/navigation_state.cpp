#include "state/navigation_state.h"

#include "base/ap_mode.h"
#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "data/boat_values.h"
#include "link/link_state.h"
#include "navi/convert.h"
#include "navi/geodesy.h"
#include "navi/navi_rules.h"
#include "state/prompter.h"

namespace {

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

QPoint relative(const GeoPoint& p) {
    return Convert::navi_ddS32_to_relativeCoor(p.lon(), p.lat());
}

GeoPoint geoOf(const StructWaypoint& w) {
    return GeoPoint(Latitude(Convert::dmString_to_ddS32_Lat(w.latitude)),
                    Longitude(Convert::dmString_to_ddS32_Lon(w.longitude)));
}

// A go-back target must lie within this distance of the boat.
constexpr float kGoBackRangeM = 1000.0f;

float distance(const QPoint& a, const QPoint& b) {
    return Global::calc_pixDst(QPointF(a), QPointF(b));
}

}  // namespace

NavigationState::NavigationState(LinkState& link, const StructBoatValues& values,
                                 Prompter& prompter, StructNaviPorts ports, QObject* parent)
    : QObject(parent),
      m_link(link),
      m_values(values),
      m_prompter(prompter),
      m_ports(std::move(ports)) {
    qRegisterMetaType<GeoPoint>();
}

// --- Position -----------------------------------------------------------------------------------

void NavigationState::takeFix() {
    const StructBoatValues& v = m_values;
    // Only a fix the gate took: a (0, 0), a jump, a fix of too few satellites or one gone
    // stale never reaches home, the track or the course.
    if (!v.fix_usable || v.boat_lon == 0 || v.boat_lat == 0) return;
    if (!Convert::haveSetStartPoint()) {
        Convert::setStartPoint(v.boat_lon, v.boat_lat);
        m_map.appendTrack(Convert::navi_ddS32_to_relativeCoor(v.boat_lon, v.boat_lat),
                          v.current_depth);
    } else if (!m_map.boatKnown()) {
        m_map.appendTrack(Convert::navi_ddS32_to_relativeCoor(v.boat_lon, v.boat_lat),
                          v.current_depth);
    } else {
        const QPoint p = Convert::navi_ddS32_to_relativeCoor(v.boat_lon, v.boat_lat);
        const bool simulator = Global::configuration.simulator != 0;
        // Not from the wandering first fixes of a cold start: only once the fix has settled.
        if (!simulator && !m_homeShown && v.fix_settled) establishHome(p);
        if (distance(p, m_map.boatPoint()) > 1.0f) m_map.appendTrack(p, v.current_depth, true);
        if (!simulator) emit boatMoved(p);
    }
    emit fixTaken(m_map.boatPoint());
}

void NavigationState::replaceTrack(const QVector<StructTrackFix>& fixes) {
    QVector<StructTrackInfo> points;
    for (const StructTrackFix& f : fixes) {
        if (!f.at.isSet()) continue;
        if (!Convert::haveSetStartPoint()) Convert::setStartPoint(f.at.lon(), f.at.lat());
        const QPoint p = Convert::navi_ddS32_to_relativeCoor(f.at.lon(), f.at.lat());
        if (points.isEmpty() || distance(p, points.last().point) > 1.0f)
            points.append({p, f.depth});
    }
    m_map.replaceTrack(points);
}

// The first usable fix sets home, unless a saved home lies near: then the user chooses. A
// question closed without an answer is asked again later (HomeQuestionGate).
void NavigationState::establishHome(const QPoint& boat) {
    if (!m_homeQuestion.mayAsk(m_prompter.isAsking(EnumDialogKind::HomePoint))) return;
    const StructHomePosition saved = NaviFile::readHome();
    const GeoPoint fix(Latitude(m_values.boat_lat), Longitude(m_values.boat_lon));
    if (saved.isSet() && distance(Convert::navi_ddS32_to_relativeCoor(saved.lon, saved.lat), boat) <
                             NaviRules::kHomeQuestionM) {
        m_homeQuestion.asked();
        qCInfo(lcNavi) << "asking whether to use the saved home";
        const GeoPoint savedPoint{Latitude(saved.lat), Longitude(saved.lon)};
        m_prompter.ask({EnumDialogKind::HomePoint, trText(TR_Message), trText(TR_UseLastHome),
                        trText(TR_New), trText(TR_Yes)},
                       [this, savedPoint](EnumAnswer a) {
                           m_homeQuestion.answered();
                           setHome(a == EnumAnswer::Right ? savedPoint
                                                          : GeoPoint(Latitude(m_values.boat_lat),
                                                                     Longitude(m_values.boat_lon)));
                       });
        return;
    }
    setHome(fix);
}

void NavigationState::setHome(const GeoPoint& home) {
    if (!home.isSet()) return;
    const bool saved = NaviFile::writeHome({home.lon(), home.lat()});
    if (!saved) qCWarning(lcCore) << "the home position could not be saved in" << NaviFile::kPath;
    // Kept as given: converting the map point back would depend on the latitude of whatever
    // was converted last.
    m_home = {home.lon(), home.lat()};
    m_homePoint = relative(home);
    m_homeShown = true;
    qCInfo(lcNavi) << "home set at" << home.lon() << home.lat();
    emit homeChanged();
    const QString space(QLatin1Char(' '));
    m_prompter.notice(trText(TR_HomePosition),
                      {space + trText(TR_SetAsHome),
                       space + trText(TR_Longitude) + QStringLiteral(": ") +
                           Convert::ddS32_to_dmString_lon(home.lon()),
                       space + trText(TR_Latitude) + QStringLiteral(": ") +
                           Convert::ddS32_to_dmString_lat(home.lat())},
                      false);
    // Home holds for this run; that the next start will not find it is said over the notice.
    if (!saved) m_prompter.hint(EnumHintCode::SaveFailed, trText(TR_SaveFileFailed));
}

// --- Targets ------------------------------------------------------------------------------------

void NavigationState::showTargetAt(const QPoint& point, int icon) {
    m_targetPoint = point;
    m_target.icon = icon;
    m_targetShown = true;
    emit targetChanged();
}

void NavigationState::clearTarget() {
    m_targetShown = false;
    emit targetChanged();
}

float NavigationState::targetDistance() const {
    return m_targetShown ? distance(m_targetPoint, m_map.boatPoint()) : -1.0f;
}

void NavigationState::markTarget(const GeoPoint& point, int icon) {
    const float d = distance(relative(point), m_map.boatPoint());
    switch (NaviRules::markTarget(d, Global::configuration.arriveAlarmLevel)) {
        case NaviRules::EnumMark::Arrived:
            m_prompter.message(trText(TR_Message), trText(TR_TargetArrived));
            break;
        case NaviRules::EnumMark::Mark:
            showTargetAt(relative(point), icon);
            emit waypointTaskTaken();
            m_prompter.notice(trText(TR_Message), {trText(TR_TargetMarkedUseRemote)}, false);
            break;
        case NaviRules::EnumMark::TooFar:
            m_prompter.hint(EnumHintCode::MarkTooFar);
            break;
    }
}

void NavigationState::goTo(EnumTargetType type, const GeoPoint& point, int icon) {
    NaviRules::StructGoToInput in;
    in.taskMode = m_link.currentInfoAp().taskMode();
    in.simulator = Global::configuration.simulator != 0;
    in.noDataApSeconds = m_link.count_noData_ap;
    in.satellites = m_values.gps_satellites;
    in.boatKnown = m_map.boatKnown();
    in.distance = in.boatKnown ? distance(relative(point), m_map.boatPoint()) : 0;
    in.arriveLevel = Global::configuration.arriveAlarmLevel;
    const NaviRules::StructGoToVerdict verdict = NaviRules::goTo(in);
    if (verdict.result == NaviRules::EnumGoTo::Refused) {
        const EnumHintCode code = HintCode::fromText(verdict.code);
        m_prompter.hint(code);
        // A refused leg ends the list mode it belongs to.
        if (code != EnumHintCode::GoStopFirst) endRun();
        return;
    }
    m_target = {point, icon, type};
    const bool arrived = verdict.result == NaviRules::EnumGoTo::Arrived;
    qCInfo(lcNavi) << "go to" << point.lon() << point.lat() << "type" << int(type)
                   << (arrived ? "already there" : "");
    if (arrived) {
        afterAp();
        return;
    }
    beforeAp();
}

void NavigationState::goHome() {
    if (!m_homeShown || !m_home.isSet()) {
        m_prompter.hint(EnumHintCode::HomeNotDefined);
        return;
    }
    goTo(EnumTargetType::TargetHome, GeoPoint(Latitude(m_home.lat), Longitude(m_home.lon)), 0);
}

void NavigationState::beforeAp() {
    m_ports.sendStart(m_target.point);
    m_runAck = 0;
    const EnumTargetType type = m_target.type;
    const StructTargetFeedback f = NaviTarget::feedback(type);
    StructAckWait wait;
    wait.kind = DialogKind::fromText(f.key);
    wait.title = f.title;
    wait.text = NaviTarget::connectingText(f.text);
    // A cruise without stops shows its first leg only.
    if (type == EnumTargetType::TargetMultiTarget && !m_listRun.showLegFeedback())
        wait.text.clear();
    if (type == EnumTargetType::TargetPoint || type == EnumTargetType::TargetHome) endListModes();
    wait.flag = &m_runAck;
    wait.resend = [this] { m_ports.sendStart(m_target.point); };
    wait.onSuccess = [this, kind = wait.kind] {
        showTargetAt(relative(m_target.point), m_target.icon);
        if (kind == EnumDialogKind::ApGoTarget) emit waypointTaskTaken();
    };
    wait.failureText = trText(TR_ConnectionFailed);
    // The later legs wait silently; a failure must still be seen.
    wait.revealFailure = type == EnumTargetType::TargetMultiTarget;
    m_prompter.awaitAck(wait);
}

void NavigationState::afterAp() {
    clearTarget();
    switch (m_target.type) {
        case EnumTargetType::TargetPoint:
            m_prompter.message(trText(TR_Message), trText(TR_TargetArrived));
            break;
        case EnumTargetType::TargetHome:
            m_prompter.message(trText(TR_Message), trText(TR_HomeArrived));
            break;
        case EnumTargetType::TargetGoBack1:
            // The go-back's second leg starts when this count ends.
            m_prompter.countDown(trText(TR_GoBack), m_listRun.goBackWait(),
                                 [this] { goBackNext(); });
            break;
        case EnumTargetType::TargetGoBack2:
            m_prompter.message(trText(TR_GoBack), trText(TR_Target2Arrived));
            m_listRun.endGoBack();
            emit listModeChanged();
            break;
        case EnumTargetType::TargetMultiTarget: {
            // The next leg starts when the count ends; after the last point the run is over.
            const ListRun::StructArrival a = m_listRun.arrive();
            if (a.completed) {
                m_prompter.message(trText(TR_Message), trText(TR_AutopilotTaskCompleted));
                emit listModeChanged();
                setListLine({});
            } else {
                qCInfo(lcNavi) << "waiting" << a.waitSeconds << "s before the next target";
                m_prompter.countDown(trText(TR_MultiTargetAutopilot), a.waitSeconds,
                                     [this] { listNext(); });
            }
            break;
        }
    }
}

void NavigationState::stopAp() {
    switch (NaviRules::stop(Global::configuration.simulator != 0, m_link.count_noData_ap)) {
        case NaviRules::EnumStop::Simulator:
            m_prompter.hint(EnumHintCode::StopInSimulator);
            return;
        case NaviRules::EnumStop::Offline:
            m_prompter.hint(EnumHintCode::StopApOffline);
            return;
        case NaviRules::EnumStop::Send:
            break;
    }
    m_ports.sendStop();
    if (ApMode::fromField(m_link.currentInfoAp().taskMode()) != EnumApMode::Run) return;
    m_stopAck = 0;
    StructAckWait wait;
    wait.kind = EnumDialogKind::ApStop;
    wait.title = trText(TR_Message);
    wait.text = NaviTarget::connectingText(trText(TR_StopAutopilotTaskNow));
    wait.flag = &m_stopAck;
    wait.resend = [this] { m_ports.sendStop(); };
    wait.onSuccess = [this] {
        endListModes();
        clearTarget();
    };
    wait.failureText = trText(TR_ConnectionFailed);
    m_prompter.awaitAck(wait);
}

void NavigationState::apKeyLongPress() {
    if (ApMode::fromField(m_link.currentInfoAp().taskMode()) == EnumApMode::Run) {
        stopAp();
    } else {
        goHome();
    }
}

void NavigationState::askStop() {
    const QString stop = trText(TR_StopAutopilot);
    m_prompter.ask({EnumDialogKind::StopAutopilot, stop, stop + QLatin1Char('?'), trText(TR_Yes),
                    trText(TR_No)},
                   [this](EnumAnswer a) {
                       if (a == EnumAnswer::Left) stopAp();
                   });
}

// "Go to the target now?" for a waypoint: only "Go" sends the boat.
void NavigationState::askGoToWaypoint(const GeoPoint& point, int icon) {
    m_prompter.ask({EnumDialogKind::GoToWaypoint, trText(TR_Waypoint), trText(TR_GoToTargetNow),
                    trText(TR_No), trText(TR_Go)},
                   [this, point, icon](EnumAnswer a) {
                       if (a == EnumAnswer::Right) goTo(EnumTargetType::TargetPoint, point, icon);
                   });
}

void NavigationState::askCursorUse(const QPoint& cursor) {
    m_prompter.ask({EnumDialogKind::SelectPoint, trText(TR_Cursor), trText(TR_CursorSaveOrGo),
                    trText(TR_Save), trText(TR_Go)},
                   [this, cursor](EnumAnswer a) {
                       // Converted at the answer, as the map's origin stands then.
                       const QPointF p(cursor);
                       const GeoPoint point(Latitude(Convert::navi_relativeCoor_to_ddS32_lat(p)),
                                            Longitude(Convert::navi_relativeCoor_to_ddS32_lon(p)));
                       if (a == EnumAnswer::Right) {
                           goTo(EnumTargetType::TargetPoint, point, 0);
                       } else {
                           emit cursorSaveChosen(point);
                       }
                   });
}

// --- Supervision --------------------------------------------------------------------------------

void NavigationState::check() {
    const QString mode = m_link.currentInfoAp().taskMode();
    const EnumApMode apMode = ApMode::fromField(mode);
    const bool offline = m_link.count_noData_ap >= NaviRules::kApOfflineSeconds;

    // Arrival by silence or by the remote control taking over near the target.
    if (m_targetShown && (offline || apMode == EnumApMode::Manual) &&
        targetDistance() < Global::configuration.arriveAlarmLevel) {
        clearTarget();
        qCInfo(lcNavi).noquote() << trText(TR_TargetArrived);
        m_prompter.notice(trText(TR_Message), {trText(TR_TargetArrived)}, true);
    }

    // The autopilot's mode, acted on once per change, not while it cannot be.
    if (!offline && !m_ports.linkBusy()) followMode(mode);
    checkIndicators(offline, m_link.currentInfoAp());
    emit indicatorsChanged();
}

void NavigationState::followMode(const QString& mode) {
    QString previous;
    if (m_apMode.changed(mode, &previous)) onModeChange(previous, mode);
    const EnumApMode acted = ApMode::fromField(m_apMode.mode());
    if (acted == EnumApMode::Run) m_runAck = 1;
    if (acted == EnumApMode::Stopped) m_stopAck = 1;
}

void NavigationState::checkIndicators(bool offline, const ApInfo_t& ap) {
    StructNaviIndicators& i = m_indicators;
    i.heard = !offline;
    i.apRunning = ApMode::fromField(ap.taskMode()) == EnumApMode::Run;
    i.rc = ApMode::rcFromField(ap.rcState());
    i.allOff = offline && !m_ledsOffShown;
    m_ledsOffShown = offline;
    // The boat compass's calibration reports; a report looked at is used up.
    const BoatCompassWatch::StructResult cali = m_boatCompass.pass(m_link.current_compassCali == 4);
    i.boatCaliLooked = cali.evaluated;
    if (cali.evaluated) {
        if (cali.needCali) m_link.current_compassCali = 0;
        i.boatNeedCali = cali.needCali;
        if (cali.warn) m_prompter.hint(EnumHintCode::MagneticInterference);
    }
    // The boat blinks once the fix has been poor for more than ten checks.
    m_poorFixChecks = m_values.gps_satellites < 3 ? std::min(m_poorFixChecks + 1, 1000) : 0;
    i.blink = m_poorFixChecks > 10;
}

void NavigationState::onModeChange(const QString& previous, const QString& mode) {
    qCInfo(lcNavi).noquote() << "autopilot mode" << previous << "->" << mode;
    switch (ApMode::fromField(mode)) {
        case EnumApMode::Manual:
            endListModes();
            if (ApMode::fromField(previous) == EnumApMode::Run)
                m_prompter.message(trText(TR_Message), trText(TR_EnterManualMode));
            break;
        case EnumApMode::Run:
            m_runAck = 1;
            break;
        case EnumApMode::Finished:
            afterAp();
            break;
        case EnumApMode::Stopped:
            endListModes();
            m_stopAck = 1;
            break;
        case EnumApMode::Error:
            endListModes();
            m_prompter.hint(EnumHintCode::ApError);
            break;
        case EnumApMode::Test:
            endListModes();
            break;
        case EnumApMode::Unknown:
            break;
    }
}

// --- List modes ---------------------------------------------------------------------------------

bool NavigationState::goBackTarget(int slot, StructNaviTarget* target) const {
    if (slot == StructGoBackRequest::kHome) {
        if (!m_home.isSet()) return false;
        *target = {GeoPoint(Latitude(m_home.lat), Longitude(m_home.lon)), 0,
                   EnumTargetType::TargetGoBack1};
        return true;
    }
    const StructWaypoint w = m_ports.waypoint(slot);
    *target = {geoOf(w), w.iconIndex, EnumTargetType::TargetGoBack1};
    return !w.isEmpty();
}

// Both targets must be set: an empty second field would send the boat to whatever its stored
// slot number names. A target whose waypoint has gone since is empty too; home must be known.
bool NavigationState::startGoBack(const StructGoBackRequest& request) {
    StructNaviTarget t;
    if (request.fieldsEmpty || !goBackTarget(request.firstSlot, &t)) {
        const EnumHintCode code = request.firstEmpty    ? EnumHintCode::GoBackTarget1Empty
                                  : request.secondEmpty ? EnumHintCode::GoBackTarget2Empty
                                  : request.firstSlot != StructGoBackRequest::kHome
                                      ? EnumHintCode::GoBackTarget1Empty
                                      : EnumHintCode::HomeNotDefined;
        m_prompter.hint(code);
        return false;
    }
    m_goBack = request;
    m_listRun.startGoBack(request.waitSeconds);
    emit listModeChanged();
    setListLine({});
    emit goBackStarted();
    qCInfo(lcNavi) << "go-back started, waiting" << m_listRun.goBackWait() << "s between";
    goTo(EnumTargetType::TargetGoBack1, t.point, t.icon);
    return true;
}

void NavigationState::goBackNext() {
    StructNaviTarget t;
    const int slot = m_goBack.secondSlot;
    if (!goBackTarget(slot, &t)) {
        endListModes();
        m_prompter.hint(slot == StructGoBackRequest::kHome ? EnumHintCode::HomeNotDefined
                                                           : EnumHintCode::GoBackTarget2Empty);
        return;
    }
    goTo(EnumTargetType::TargetGoBack2, t.point, t.icon);
}

void NavigationState::startList(const QList<StructMultiTarget>& targets, bool noStop,
                                EnumListKind kind) {
    if (m_listRun.mode() == EnumListMode::List) {
        m_prompter.hint(EnumHintCode::GoStopFirst);
        return;
    }
    QList<GeoPoint> line;
    for (const StructMultiTarget& t : targets)
        line << geoOf(t);
    setListLine(line);
    if (!m_listRun.startList(targets, noStop)) {
        m_prompter.hint(EnumHintCode::TargetListEmpty);
        return;
    }
    qCInfo(lcNavi).noquote() << "list started:"
                             << (kind == EnumListKind::Course ? "route" : "waypoint")
                             << targets.size() << "points" << (noStop ? "without stops" : "");
    emit listModeChanged();
    goToListTarget(m_listRun.targets().first());
}

void NavigationState::listNext() {
    if (!m_listRun.targets().isEmpty()) goToListTarget(m_listRun.targets().first());
}

void NavigationState::goToListTarget(const StructMultiTarget& target) {
    goTo(EnumTargetType::TargetMultiTarget, geoOf(target), target.iconIndex);
}

void NavigationState::setListLine(const QList<GeoPoint>& line) {
    m_listLine = line;
    emit listLineChanged();
}

// A refused leg: the run ends where it stands (its line stays until the next start).
void NavigationState::endRun() {
    m_listRun.end();
    emit listModeChanged();
}

void NavigationState::endListModes() {
    m_prompter.stopCountDown();
    endRun();
    setListLine({});
}

void NavigationState::refuseTargetTooFar(int row) {
    refuse(trText(TR_TargetNumbered) + QLatin1Char(' ') + QString::number(row + 1) +
           QLatin1Char(' ') + trText(TR_TooFarFromBoat));
}

void NavigationState::refuseTooManyPoints() {
    refuse(trText(TR_NotMoreThan) + QStringLiteral(" 100."));
}

void NavigationState::refuse(const QString& text) {
    qCInfo(lcNavi).noquote() << text;
    m_prompter.notice(trText(TR_Error), {text}, false);
}

bool NavigationState::goBackTargetInReach(const StructWaypoint& target) {
    if (distance(relative(geoOf(target)), m_map.boatPoint()) <= kGoBackRangeM) return true;
    m_prompter.hint(EnumHintCode::GoBackTargetTooFar);
    return false;
}

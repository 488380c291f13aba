#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "core/ux_view.h"
#include "link/sonar_frame_values.h"
#include "link/ux_data.h"
#include "platform/handset_board.h"
#include "ui/kit/dialog_prompter.h"
#include "ui/screens/alert_strip.h"

namespace {
const QColor kLostGround(190, 0, 0);
const QColor kBackGround(0, 120, 40);
const QColor kStaleGround(255, 190, 0);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
// The link strip stands below the status icons of the top row; the fix's age on the map.
constexpr int kLinkStripY = 26;

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

QString seconds(qint64 ms) {
    return QString::number(ms / 1000) + QStringLiteral(" s");
}

QString volts(float v) {
    return QString::number(double(v), 'f', 1) + QStringLiteral(" V");
}
}  // namespace

void Korvel::safety_init() {
    m_safetyClock.start();
    m_reserve = std::make_unique<BatteryReserve>();
    m_linkStrip = new UxAlertStrip(m_view);
    m_fixStrip = new UxAlertStrip(m_view);
    m_prompter->setResendHold([this] { return m_linkLoss.lost(); });
}

// The frame of this tick through the fix gate. A frame that is not a good new fix leaves the
// boat where the last good one put it: a jump or a (0, 0) never moves it on the map.
void Korvel::safety_takeFix(int lastLat, int lastLon) {
    const qint64 now = m_safetyClock.elapsed();
    m_fixWatch.take(SonarFrameValues::fields(m_history.newest()), m_frameFresh,
                    Global::configuration.gpsFilter, now);
    StructBoatValues& v = values();
    const bool good = m_frameFresh && m_fixWatch.lastVerdict() == EnumFixVerdict::Good;
    if (!good) {
        v.boat_lat = lastLat;
        v.boat_lon = lastLon;
    }
    v.fix_usable = m_fixWatch.usable(now);
    v.fix_settled = m_fixWatch.settled();
    v.fix_ageMs = m_fixWatch.ageMs(now);
    if (m_frameFresh && v.measured)
        m_lastMeasured = {true, v.current_depth, v.water_temp, v.boat_voltage};
}

void Korvel::safety_tick() {
    const qint64 now = m_safetyClock.elapsed();
    const StructConfiguration& cfg = Global::configuration;
    // Silent on purpose: a module's firmware being replaced, a binding, the built-in recording.
    const bool held = m_update.inProgress || cfg.simulator != 0;
    switch (m_linkLoss.tick(m_data->linkState().framesHeard, held, now)) {
        case EnumLinkEvent::Lost:
            m_linkLostDoing = safety_doingText();
            qCInfo(lcLink).noquote()
                << "link lost: no frame for" << m_linkLoss.silentMs(now) << "ms" << m_linkLostDoing;
            break;
        case EnumLinkEvent::Back:
            qCInfo(lcLink) << "link back";
            Global::beeperOn(QStringLiteral("fish"));
            // The autopilot's mode is looked at again on this tick, not the next pass.
            m_naviState->check();
            break;
        case EnumLinkEvent::None:
            break;
    }
    if (m_linkLoss.alarmDue(now)) Global::beeperOn(QStringLiteral("link"));
    safety_refreshStrips(now);
    if (m_tickCount % 8 == 0) safety_checkReserve(now);
}

// What the boat was doing when the link went: the angler must know whether it still runs.
QString Korvel::safety_doingText() const {
    const NavigationState& n = *m_naviState;
    if (n.listRun().mode() == EnumListMode::List) return trText(TR_WasRunningList);
    if (!n.targetSet()) return QString();
    return n.target().type == EnumTargetType::TargetHome ? trText(TR_WasGoingHome)
                                                         : trText(TR_WasGoingToTarget);
}

void Korvel::safety_refreshStrips(qint64 now) {
    StructAlertStripView link;
    if (m_linkLoss.lost()) {
        link = {{trText(TR_LinkLost),
                 trText(TR_NoDataFor) + QLatin1Char(' ') + seconds(m_linkLoss.silentMs(now))},
                kLostGround,
                kWhite};
        if (m_lastMeasured.known) {
            const bool fahrenheit = Global::getString_tempUnit() != QString::fromUtf8("\u2103");
            link.lines << trText(TR_LastData) + QStringLiteral(": ") +
                              Global::getString_depthValue(m_lastMeasured.depth, 1, true) +
                              QLatin1Char(' ') + Global::getString_depthUnit() + QLatin1Char(' ') +
                              Global::getString_tempValue(m_lastMeasured.temperature, 1) +
                              (fahrenheit ? QStringLiteral("\u00b0F") : QStringLiteral("\u00b0C")) +
                              QLatin1Char(' ') + volts(m_lastMeasured.volts);
        }
        if (!m_linkLostDoing.isEmpty()) link.lines << m_linkLostDoing;
    } else if (m_linkLoss.backShown(now)) {
        link = {{trText(TR_LinkBack)}, kBackGround, kWhite};
    }
    m_linkStrip->setView(link, QPoint(0, kLinkStripY), m_view->width());

    // The map says how old the boat's place is once it is stale.
    const StructScreenLayout layout = ScreenLayout::forMode(Global::configuration.screenMode);
    StructAlertStripView fix;
    const StructBoatValues& v = values();
    if (layout.mapVisible && v.fix_ageMs > FixWatch::kStaleMs)
        fix = {{trText(TR_FixAge) + QStringLiteral(": ") + seconds(v.fix_ageMs)},
               kStaleGround,
               kBlack};
    m_fixStrip->setView(fix, layout.mapPos, std::min(layout.mapBound.width(), 160));
}

// Once a second: the voltage the way home needs against what the battery has left.
void Korvel::safety_checkReserve(qint64 now) {
    const StructConfiguration& cfg = Global::configuration;
    // A replayed log or the built-in recording is not the boat on the water now.
    if (cfg.workMode == 2 || cfg.simulator != 0) return;
    const StructBoatValues& v = values();
    StructReserveSample sample;
    sample.boatVolts = v.measured && !m_linkLoss.lost() ? v.boat_voltage : 0.0f;
    if (v.fix_usable) sample.boat = GeoPoint(Latitude(v.boat_lat), Longitude(v.boat_lon));
    const StructHomePosition& home = m_naviState->home();
    if (m_naviState->homeSet() && home.isSet())
        sample.home = GeoPoint(Latitude(home.lat), Longitude(home.lon));
    sample.timeMs = now;
    StructReserveSettings settings;
    settings.on = cfg.reserveAlarm != 0;
    settings.emptyVolts = cfg.reserveEmptyVolts;
    settings.marginVolts = cfg.reserveMarginVolts;
    const StructReserveEstimate e = m_reserve->take(sample, settings);
    m_reserveEstimate = e;
    if (e.stage == m_reserveRaised) return;
    const EnumReserveStage before = m_reserveRaised;
    m_reserveRaised = e.stage;
    if (e.stage == EnumReserveStage::None || int(e.stage) < int(before)) return;
    const QString why = QStringLiteral("%1 m home, %2 V a 100 m%3: needs %4, at %5")
                            .arg(e.homeMetres, 0, 'f', 0)
                            .arg(double(e.voltsPer100m), 0, 'f', 3)
                            .arg(e.learnt ? QString() : QStringLiteral(" (default)"))
                            .arg(volts(e.neededVolts), volts(e.smoothedVolts));
    if (e.stage == EnumReserveStage::ReturnSoon) {
        qCInfo(lcNavi).noquote() << "return soon:" << why;
        prompter().notice(trText(TR_ReturnSoon),
                          {trText(TR_ReturnSoonText),
                           volts(e.smoothedVolts) + QStringLiteral(" / ") + volts(e.reserveVolts)},
                          false);
        return;
    }
    qCInfo(lcNavi).noquote() << "return now:" << why;
    // "Go to Home" has the focus: one key sends the boat home.
    prompter().ask({EnumDialogKind::ReturnNow, trText(TR_ReturnNow), trText(TR_ReturnNowText),
                    trText(TR_Ignore), trText(TR_GoToHome)},
                   [this](EnumAnswer a) {
                       if (a == EnumAnswer::Right) m_naviState->goHome();
                   });
}

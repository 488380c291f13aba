#include "state/boat_compass_run.h"

#include "base/log.h"
#include "base/tr_resource.h"
#include "link/link_state.h"
#include "state/prompter.h"

BoatCompassRun::BoatCompassRun(LinkState& link, Prompter& prompter, std::function<void()> sendCali,
                               QObject* parent)
    : QObject(parent), m_link(link), m_prompter(prompter), m_sendCali(std::move(sendCali)) {
    qRegisterMetaType<BoatCompassCali::EnumEnd>();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &BoatCompassRun::step);
}

bool BoatCompassRun::start() {
    LinkState& s = m_link;
    if (s.count_noData_sonar > kLostSeconds) {
        m_prompter.hint(EnumHintCode::CompassNotConnected,
                        TrResource::getTrString(TR_RemoteBoxesNotConnected));
        return false;
    }
    m_sendCali();
    s.flag_getData_sonar_ack = 0;
    StructAckWait wait;
    wait.kind = EnumDialogKind::SonarCompassCali;
    wait.flag = &s.flag_getData_sonar_ack;
    wait.resend = m_sendCali;
    m_prompter.awaitAck(wait);
    emit started();
    s.current_compassCali = 0;
    m_cali.start(s.currentInfo_sys.app);
    qCInfo(lcCore) << "boat compass calibration started, sonar box firmware"
                   << s.currentInfo_sys.app.load();
    m_timer.start(m_cali.intervalMs());
    return true;
}

void BoatCompassRun::stopFollowing() {
    if (!m_cali.running()) return;
    m_cali.stop();
    m_timer.stop();
    qCInfo(lcCore) << "boat compass calibration no longer followed";
}

void BoatCompassRun::step() {
    const BoatCompassCali::StructStep s = m_cali.step(m_link.current_compassCali);
    if (s.progress >= 0) emit progress(s.progress);
    using E = BoatCompassCali::EnumEnd;
    if (s.end == E::Running) {
        m_timer.start(m_cali.intervalMs());
        return;
    }
    if (s.end == E::Success || s.end == E::Done)
        qCInfo(lcCore) << (s.end == E::Success ? "boat compass calibrated"
                                               : "boat compass calibration given its time");
    // The dialog closes before a failure is said over it.
    emit ended(s.end);
    if (s.end == E::Fail)
        m_prompter.hint(EnumHintCode::BoatCompassFail, TrResource::getTrString(TR_Fail));
    if (s.end == E::FlashError)
        m_prompter.hint(EnumHintCode::BoatCompassFlashError,
                        QStringLiteral("Flash ") + TrResource::getTrString(TR_Error));
    if (s.end == E::Timeout)
        m_prompter.hint(EnumHintCode::BoatCompassTimeout, QStringLiteral("Timeout"));
}

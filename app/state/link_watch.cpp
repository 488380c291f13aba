#include "state/link_watch.h"

#include "link/link_state.h"
#include "state/prompter.h"

LinkWatch::LinkWatch(LinkState& link, Prompter& prompter, StructLinkWatchPorts ports)
    : m_link(link), m_prompter(prompter), m_ports(std::move(ports)) {}

bool LinkWatch::tick(int tickCount, const StructConfiguration& cfg) {
    LinkState& s = m_link;
    const bool second = tickCount % kTicksPerSecond == 0;
    if (second) {
        if (s.count_noData_sonar < kLostSeconds) ++s.count_noData_sonar;
        if (s.count_noData_ap < kLostSeconds) ++s.count_noData_ap;
    }
    if (tickCount % 5 == 0) {
        const bool answerToOurs = m_helloSent.isValid() && m_helloSent.elapsed() < kHelloAnswerMs;
        if (s.flag_getData_sonar_hello.exchange(0) != 0 && !answerToOurs) sonarHello();
        if (s.flag_getData_ap_hello.exchange(0) != 0) apHello();
    }
    if (!second) return false;
    const ConfigWatch::StructChanges changed = m_config.check(cfg);
    if (changed.gain) m_ports.sendSonarCfg(QStringLiteral("gain"));
    if (changed.freq) m_ports.sendSonarCfg(QStringLiteral("freq"));
    if (changed.gain || changed.freq) awaitSonarConfig();
    if (changed.autopilot) {
        m_ports.sendApCfg();
        awaitApConfig();
    }
    return true;
}

void LinkWatch::sonarHello() {
    if (m_ports.updateInProgress()) return;
    m_ports.sendSonarHello();
    m_helloSent.start();
    m_ports.sendSonarCfg(QStringLiteral("all"));
    awaitSonarConfig();
}

void LinkWatch::apHello() {
    if (m_ports.updateInProgress()) return;
    m_ports.sendApCfg();
    awaitApConfig();
}

// A wait without a text stays hidden: the box's word is watched, the last message re-sent.
void LinkWatch::awaitSonarConfig() {
    m_link.flag_getData_sonar_ack = 0;
    StructAckWait wait;
    wait.kind = EnumDialogKind::SonarConfig;
    wait.flag = &m_link.flag_getData_sonar_ack;
    wait.resend = [this] { m_ports.sendSonarCfg(QStringLiteral("repeat")); };
    m_prompter.awaitAck(wait);
}

void LinkWatch::awaitApConfig() {
    m_link.flag_getData_ap_ack = 0;
    StructAckWait wait;
    wait.kind = EnumDialogKind::ApConfig;
    wait.flag = &m_link.flag_getData_ap_ack;
    wait.resend = m_ports.sendApCfg;
    m_prompter.awaitAck(wait);
}

#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "link/ap_sentence.h"
#include "link/ux_data.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_feedback.h"

QString Korvel::link_ap_getCmd_HMCTL(const QString& command, const QString& a, const QString& b) {
    return ApSentence::control(command, a, b);
}

QString Korvel::link_ap_getCmd_HMPRA() {
    return ApSentence::parameters(Global::configuration);
}

QString Korvel::link_ap_getCmd_HMHCK(const QString& direction) {
    return ApSentence::wiringTest(direction, Global::configuration);
}

QString Korvel::link_ap_getCmd_HMRST() {
    return ApSentence::reset();
}

void Korvel::link_ap_setTarget(int lat, int lon) {
    m_apTargetLat = lat;
    m_apTargetLon = lon;
}

void Korvel::link_ap_send_start() {
    m_data->sendCmd_ap(ApSentence::start(m_apTargetLon, m_apTargetLat));
}

void Korvel::link_ap_send_stop() {
    m_data->sendCmd_ap(ApSentence::stop());
}

void Korvel::link_ap_send_cfg() {
    m_data->sendCmd_ap(link_ap_getCmd_HMPRA());
}

void Korvel::link_ap_send_wiringTest(const QString& direction) {
    const QString sentence = link_ap_getCmd_HMHCK(direction);
    if (!sentence.isEmpty()) m_data->sendCmd_ap(sentence);
}

// The autopilot has powered up: give it its settings and watch, silently, for its answer.
void Korvel::link_ap_get_hello() {
    m_linkWatch->apHello();
}

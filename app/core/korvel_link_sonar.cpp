#include "core/base/global.h"
#include "core/base/log.h"
#include "core/korvel.h"
#include "link/sonar_config_message.h"
#include "link/spi_device.h"
#include "link/ux_data.h"
#include "ui/ux_dialog_feedback.h"

// Sends the configuration message of key (or the three packets of "all"); the last packet
// sent is kept for "repeat".
void Korvel::link_sonar_send_cfg(const QString& key) {
    const QStringList packets =
        SonarConfigMessage::build(key, Global::configuration, m_sonarLastCfg);
    for (const QString& message : packets) {
        m_data->sendCmd_sonarCfg(message);
        qCInfo(lcLink).noquote() << '"' + message + '"';
    }
    if (!packets.isEmpty()) m_sonarLastCfg = packets.last();
}

// The boat has announced itself: greet it and give it the whole configuration, then watch
// for its acknowledgement. Not while its firmware is being replaced.
void Korvel::link_sonar_get_hello() {
    if (flag_update_inProgress) return;
    m_data->sendCmd_sonarHello();
    link_sonar_send_cfg(QStringLiteral("all"));
    SpiDevice::flag_getData_sonar_ack = 0;
    if (m_dialogFeedBack)
        m_dialogFeedBack->showFeedback(QString(), QString(), QStringLiteral("sonar_cfg"),
                                       &SpiDevice::flag_getData_sonar_ack);
}

void Korvel::link_sonar_boatCali() {
    m_data->sendCmd_boatCompassCali();
}

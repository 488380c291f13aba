#include "core/korvel.h"

#include "core/base/global.h"
#include "core/base/log.h"
#include "core/base/tr_resource.h"
#include "link/sonar_config_message.h"
#include "link/sonar_update_run.h"
#include "link/ux_data.h"
#include "ui/dialog_host.h"
#include "ui/ux_dialog_feedback.h"
#include "ui/ux_dialog_progress.h"

#include <QTimer>

// Sends the configuration message of key (or the three packets of "all"); the last packet
// sent is kept for "repeat".
void Korvel::link_sonar_send_cfg(const QString& key) {
    const QStringList packets =
        SonarConfigMessage::build(key, Global::configuration, m_sonarLastCfg);
    for (const QString& message : packets) {
        m_data->sendCmd_sonarCfg(message);
        qCDebug(lcLink).noquote() << '"' + message + '"';
    }
    if (!packets.isEmpty()) m_sonarLastCfg = packets.last();
}

// The boat has announced itself: greet it and give it the whole configuration, then watch
// for its acknowledgement. Not while its firmware is being replaced.
void Korvel::link_sonar_get_hello() {
    if (m_update.inProgress) return;
    m_data->sendCmd_sonarHello();
    link_sonar_send_cfg(QStringLiteral("all"));
    LinkState& state = m_data->linkState();
    state.flag_getData_sonar_ack = 0;
    m_dialogs->feedBack()->showFeedback(QString(), QString(), QStringLiteral("sonar_cfg"),
                                        &state.flag_getData_sonar_ack);
}

void Korvel::link_sonar_boatCali() {
    m_data->sendCmd_boatCompassCali();
}

void Korvel::link_setUpdateTiming(int syncWaitMs, int idleWaitMs) {
    m_updateSyncWaitMs = syncWaitMs;
    m_updateIdleWaitMs = idleWaitMs;
}

bool Korvel::link_update_sonar(const QByteArray& image) {
    if (m_update.inProgress) return false;
    if (!m_sonarUpdate->start(image, {m_updateSyncWaitMs, m_updateIdleWaitMs})) return false;
    m_update = StructUpdateFlags();
    m_update.inProgress = true;
    m_dialogs->progress()->showProgress(
        QStringLiteral("201"), TrResource::getTrString(TR_UpdateSonarBox),
        TrResource::getTrString(TR_WaitSynchronize), TrResource::getTrString(TR_Ok),
        m_sonarUpdate->blockCount(), QStringLiteral("update"), false);
    // Nothing else may talk to the box or redraw while the loader has it.
    m_timerMain->stop();
    return true;
}

void Korvel::link_updateView(const StructUpdateView& view) {
    UxDialogProgress* dialog = m_dialogs->progress();
    dialog->setTitle(view.code, TrResource::getTrString(EnumTrString(SonarUpdate::kTextTitle)));
    QString text = TrResource::getTrString(EnumTrString(view.text));
    if (!view.detail.isEmpty()) text += QLatin1Char('\n') + view.detail;
    dialog->setText(text);
    dialog->setValue(view.progress);
    dialog->showButton(view.button);
    if (view.hidden) dialog->hide();
}

void Korvel::link_updateEnded(bool ok, const QString& code, int blocksSent) {
    m_update.inProgress = false;
    m_update.done = ok;
    m_update.aborted = !ok && (code == QLatin1String("202") || code == QLatin1String("204"));
    qCInfo(lcLink) << "sonar update" << (ok ? "done" : "ended") << "with step" << code << "after"
                   << blocksSent << "blocks";
    m_timerMain->start(kTickMs);
    emit signal_updateFinished(ok);
}

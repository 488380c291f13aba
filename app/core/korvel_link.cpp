#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "link/module_install.h"
#include "link/module_update_run.h"
#include "link/sonar_config_message.h"
#include "link/ux_data.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_progress.h"

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
    m_linkWatch->sonarHello();
}

void Korvel::link_sonar_boatCali() {
    m_data->sendCmd_boatCompassCali();
}

void Korvel::link_setUpdateTiming(int syncWaitMs, int idleWaitMs) {
    m_updateSyncWaitMs = syncWaitMs;
    m_updateIdleWaitMs = idleWaitMs;
}

bool Korvel::link_update_sonar(const QByteArray& image) {
    return link_startUpdate(false, image);
}

bool Korvel::link_update_ap(const QByteArray& image) {
    return link_startUpdate(true, image);
}

bool Korvel::link_startUpdate(bool autopilot, const QByteArray& image) {
    if (m_update.inProgress) return false;
    const auto module =
        autopilot ? ModuleUpdateRun::EnumModule::Autopilot : ModuleUpdateRun::EnumModule::Sonar;
    if (!m_moduleUpdate->start(module, image, {m_updateSyncWaitMs, m_updateIdleWaitMs}))
        return false;
    m_update = StructUpdateFlags();
    m_update.inProgress = true;
    const StructUpdateProfile profile =
        autopilot ? StructUpdateProfile::autopilot() : StructUpdateProfile::sonar();
    m_dialogs->progress()->showProgress(
        QString::number(profile.firstCode),
        TrResource::getTrString(EnumTrString(profile.textTitle)),
        TrResource::getTrString(TR_WaitSynchronize), TrResource::getTrString(TR_Ok),
        m_moduleUpdate->blockCount(), QStringLiteral("update"), false);
    // Nothing else may talk to the module or redraw while its loader has it.
    m_timerMain->stop();
    return true;
}

void Korvel::link_updateView(const StructUpdateView& view) {
    UxDialogProgress* dialog = m_dialogs->progress();
    dialog->setTitle(view.code, TrResource::getTrString(EnumTrString(view.title)));
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
    // Gave up synchronising, or lost the loader before the transfer (x02, x04 of either module).
    const int step = code.toInt() - (code.toInt() >= 209 ? 209 : 201);
    m_update.aborted = !ok && (step == 1 || step == 3);
    qCInfo(lcLink) << "module update" << (ok ? "done" : "ended") << "with step" << code << "after"
                   << blocksSent << "blocks";
    m_timerMain->start(kTickMs);
    emit signal_updateFinished(ok);
    if (m_install->running()) m_install->updateFinished(ok);
}

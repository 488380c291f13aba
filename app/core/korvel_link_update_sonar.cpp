#include "core/base/log.h"
#include "core/base/tr_resource.h"
#include "core/korvel.h"
#include "link/sonar_update.h"
#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"
#include "ui/ux_dialog_progress.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

// The update's view of the link: the data source's commands and the reading thread's flags.
class DataSourceUpdateLink : public SonarUpdateLink {
public:
    explicit DataSourceUpdateLink(UxData& data) : m_data(data) {}
    void sendReset() override { m_data.sendCmd_resetSonar(); }
    void sendHeartbeat() override { m_data.sendCmd_update_hb_sonar(); }
    void sendStart(uint32_t size, uint8_t x) override { m_data.sendCmd_update_stx_sonar(size, x); }
    void sendBlock(uint16_t index, const uint8_t* block) override {
        m_data.sendCmd_update_fm_sonar(index, block);
    }
    void startHeartbeatTimer() override {
        // Restarting a running timer would push its next beat away for ever.
        if (!m_data.thread()->heartbeatTimerSonar()->isActive()) m_data.startTimer_sonarHB();
    }
    void stopHeartbeatTimer() override { m_data.stopTimer_sonarHB(); }
    void clearHeartbeatMisses() override { m_data.clearComAck(); }
    int requestedIndex() override { return m_data.getNowReqIndex(); }
    void clearRequest() override { m_data.clearNowReqIndex(); }
    void clearFlags() override {
        SpiDevice::flag_getData_update_fmOk = 0;
        SpiDevice::flag_getData_update_fmFail = 0;
        SpiDevice::flag_getData_update_comAck = 0;
        SpiDevice::flag_getData_update_fmAck = 0;
        m_data.clearNowReqIndex();
    }
    bool comAck() override { return SpiDevice::flag_getData_update_comAck != 0; }
    bool fmAck() override { return SpiDevice::flag_getData_update_fmAck != 0; }
    bool fmOk() override { return SpiDevice::flag_getData_update_fmOk != 0; }
    bool fmFail() override { return SpiDevice::flag_getData_update_fmFail != 0; }

private:
    UxData& m_data;
};

void letEventsRun(int ms) {
    if (ms <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void showView(UxDialogProgress* dialog, const StructUpdateView& view) {
    if (!dialog) return;
    dialog->setTitle(view.code, TrResource::getTrString(EnumTrString(SonarUpdate::kTextTitle)));
    QString text = TrResource::getTrString(EnumTrString(view.text));
    if (!view.detail.isEmpty()) text += QLatin1Char('\n') + view.detail;
    dialog->setText(text);
    dialog->setValue(view.progress);
    dialog->showButton(view.button);
    if (view.hidden) dialog->hide();
}

}  // namespace

void Korvel::link_setUpdateTiming(int syncWaitMs, int idleWaitMs) {
    m_updateSyncWaitMs = syncWaitMs;
    m_updateIdleWaitMs = idleWaitMs;
}

bool Korvel::link_update_sonar(const QByteArray& image) {
    if (flag_update_inProgress || image.isEmpty()) return false;
    flag_update_inProgress = true;
    flag_update_done = false;
    flag_update_aborted = false;

    DataSourceUpdateLink link(*m_data);
    SonarUpdate update(image, link, {m_updateSyncWaitMs, m_updateIdleWaitMs});
    if (m_dialogProgress) {
        m_dialogProgress->showProgress(
            QStringLiteral("201"), TrResource::getTrString(TR_UpdateSonarBox),
            TrResource::getTrString(TR_WaitSynchronize), TrResource::getTrString(TR_Ok),
            update.blockCount(), QStringLiteral("update"), false);
    }
    // Nothing else may talk to the box or redraw while the loader has it.
    m_timerMain->stop();
    while (!update.finished()) {
        const int waitMs = update.step();
        showView(m_dialogProgress, update.view());
        letEventsRun(waitMs);
    }
    const bool ok = update.state() == SonarUpdate::State::Succeeded;
    const QString code = update.view().code;
    if (ok) {
        flag_update_done = true;
    } else if (code == QLatin1String("202") || code == QLatin1String("204")) {
        flag_update_aborted = true;
    }
    qCInfo(lcLink) << "sonar update" << (ok ? "done" : "ended") << "with step" << code << "after"
                   << update.blocksSent() << "blocks";
    flag_update_inProgress = false;
    m_data->stopTimer_sonarHB();
    m_timerMain->start(kTickMs);
    return ok;
}

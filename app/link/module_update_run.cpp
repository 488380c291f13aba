#include "link/module_update_run.h"

#include "link/ap_sentence.h"

#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"

namespace {

// The update's view of the link: the data source's commands for the module and the link
// state's flags.
class DataSourceUpdateLink : public ModuleUpdateLink {
public:
    DataSourceUpdateLink(UxData& data, bool autopilot)
        : m_data(data), m_state(data.linkState()), m_ap(autopilot) {}
    void sendReset() override {
        if (m_ap) {
            m_data.sendCmd_ap(ApSentence::reset());
        } else {
            m_data.sendCmd_resetSonar();
        }
    }
    void sendHeartbeat() override {
        if (m_ap) {
            m_data.sendCmd_update_hb_ap();
        } else {
            m_data.sendCmd_update_hb_sonar();
        }
    }
    void sendStart(uint32_t size, uint8_t x) override {
        if (m_ap) {
            m_data.sendCmd_update_stx_ap(size, x);
        } else {
            m_data.sendCmd_update_stx_sonar(size, x);
        }
    }
    void sendBlock(uint16_t index, const uint8_t* block) override {
        if (m_ap) {
            m_data.sendCmd_update_fm_ap(index, block);
        } else {
            m_data.sendCmd_update_fm_sonar(index, block);
        }
    }
    void startHeartbeatTimer() override {
        // Restarting a running timer would push its next beat away for ever.
        QTimer* timer =
            m_ap ? m_data.thread()->heartbeatTimerAp() : m_data.thread()->heartbeatTimerSonar();
        if (!timer->isActive()) timer->start();
    }
    void stopHeartbeatTimer() override {
        if (m_ap) {
            m_data.stopTimer_apHB();
        } else {
            m_data.stopTimer_sonarHB();
        }
    }
    void clearHeartbeatMisses() override { m_data.clearComAck(); }
    int requestedIndex() override { return m_data.getNowReqIndex(); }
    void clearRequest() override { m_data.clearNowReqIndex(); }
    void clearFlags() override {
        m_state.flag_getData_update_fmOk = 0;
        m_state.flag_getData_update_fmFail = 0;
        m_state.flag_getData_update_comAck = 0;
        m_state.flag_getData_update_fmAck = 0;
        m_data.clearNowReqIndex();
    }
    bool comAck() override { return m_state.flag_getData_update_comAck != 0; }
    bool fmAck() override { return m_state.flag_getData_update_fmAck != 0; }
    bool fmOk() override { return m_state.flag_getData_update_fmOk != 0; }
    bool fmFail() override { return m_state.flag_getData_update_fmFail != 0; }

private:
    UxData& m_data;
    LinkState& m_state;
    bool m_ap;
};

}  // namespace

ModuleUpdateRun::ModuleUpdateRun(UxData& data, QObject* parent) : QObject(parent), m_data(data) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ModuleUpdateRun::step);
}

ModuleUpdateRun::~ModuleUpdateRun() = default;

bool ModuleUpdateRun::start(EnumModule module, const QByteArray& image,
                            ModuleUpdate::StructTiming timing) {
    if (m_update || image.isEmpty()) return false;
    m_module = module;
    const bool ap = module == EnumModule::Autopilot;
    m_link = std::make_unique<DataSourceUpdateLink>(m_data, ap);
    m_update = std::make_unique<ModuleUpdate>(
        image, *m_link, ap ? StructUpdateProfile::autopilot() : StructUpdateProfile::sonar(),
        timing);
    m_timer.start(0);
    return true;
}

int ModuleUpdateRun::blockCount() const {
    return m_update ? m_update->blockCount() : 0;
}

void ModuleUpdateRun::step() {
    if (!m_update) return;
    const int waitMs = m_update->step();
    emit signal_view(m_update->view());
    if (!m_update->finished()) {
        m_timer.start(waitMs);
        return;
    }
    const bool ok = m_update->state() == ModuleUpdate::State::Succeeded;
    const QString code = m_update->view().code;
    const int sent = m_update->blocksSent();
    m_update.reset();
    m_link->stopHeartbeatTimer();
    emit signal_finished(ok, code, sent);
}

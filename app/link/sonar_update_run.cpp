#include "link/sonar_update_run.h"

#include "link/spi_device.h"
#include "link/spi_rw_thread.h"
#include "link/ux_data.h"

namespace {

// The update's view of the link: the data source's commands and the link state's flags.
class DataSourceUpdateLink : public SonarUpdateLink {
public:
    explicit DataSourceUpdateLink(UxData& data) : m_data(data), m_state(data.linkState()) {}
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
};

}  // namespace

SonarUpdateRun::SonarUpdateRun(UxData& data, QObject* parent)
    : QObject(parent), m_data(data), m_link(std::make_unique<DataSourceUpdateLink>(data)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SonarUpdateRun::step);
}

SonarUpdateRun::~SonarUpdateRun() = default;

bool SonarUpdateRun::start(const QByteArray& image, SonarUpdate::StructTiming timing) {
    if (m_update || image.isEmpty()) return false;
    m_update = std::make_unique<SonarUpdate>(image, *m_link, timing);
    m_timer.start(0);
    return true;
}

int SonarUpdateRun::blockCount() const {
    return m_update ? m_update->blockCount() : 0;
}

void SonarUpdateRun::step() {
    if (!m_update) return;
    const int waitMs = m_update->step();
    emit signal_view(m_update->view());
    if (!m_update->finished()) {
        m_timer.start(waitMs);
        return;
    }
    const bool ok = m_update->state() == SonarUpdate::State::Succeeded;
    const QString code = m_update->view().code;
    const int sent = m_update->blocksSent();
    m_update.reset();
    m_data.stopTimer_sonarHB();
    emit signal_finished(ok, code, sent);
}

#include "link/spi_rw_thread.h"

#include <QTimer>

SpiRwThread::SpiRwThread(std::unique_ptr<SpiBus> bus, QObject* parent)
    : QThread(parent), m_dev(std::move(bus)) {
    m_dev.spiDeviceInit();
    m_hbSonar = new QTimer(this);
    m_hbSonar->setInterval(kHeartbeatMs);
    connect(m_hbSonar, &QTimer::timeout, this, &SpiRwThread::slot_TimeOutUpdateHB_Snr);
    m_hbAp = new QTimer(this);
    m_hbAp->setInterval(kHeartbeatMs);
    connect(m_hbAp, &QTimer::timeout, this, &SpiRwThread::slot_TimeOutUpdateHB_Ap);
}

SpiRwThread::~SpiRwThread() {
    requestStop();
    wait();
    // Pairs with the loop's last store, so its work is seen as done before the members go.
    (void)m_finished.load(std::memory_order_acquire);
}

bool SpiRwThread::stop(int timeoutMs) {
    requestStop();
    return wait(static_cast<unsigned long>(timeoutMs < 0 ? 0 : timeoutMs));
}

void SpiRwThread::run() {
    while (!m_stop) {
        m_dev.pollOnce();
        const QString text = m_dev.takeLastMessage();
        if (!text.isEmpty()) emit signal_haveReceiveSth(text);
        msleep(kPollMs);
    }
    m_finished.store(true, std::memory_order_release);
}

void SpiRwThread::countHeartbeat() {
    if (m_dev.heartbeatMiss < kHeartbeatMissLimit) ++m_dev.heartbeatMiss;
}

void SpiRwThread::slot_TimeOutUpdateHB_Snr() {
    countHeartbeat();
    m_dev.ss_wr_updateHB_Snr();
    if (m_dev.heartbeatMiss > kHeartbeatLost) m_dev.state().flag_getData_update_comAck = 0;
}

void SpiRwThread::slot_TimeOutUpdateHB_Ap() {
    countHeartbeat();
    m_dev.ss_wr_updateHB_Ap();
    if (m_dev.heartbeatMiss > kHeartbeatLost) m_dev.state().flag_getData_update_comAck = 0;
}

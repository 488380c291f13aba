#pragma once

#include "link/spi_device.h"

#include <QThread>
#include <atomic>

class QTimer;

// The reading thread of the radio link: every 5 ms it writes the next queued command when its
// pause has passed and reads what the module has. It also owns the two 1 s heartbeat timers
// of a module update, whose slots run on the GUI thread and only queue the heartbeat.
class SpiRwThread : public QThread {
    Q_OBJECT
public:
    explicit SpiRwThread(std::unique_ptr<SpiBus> bus = SpiBus::create(), QObject* parent = nullptr);
    // Stops the loop and joins it.
    ~SpiRwThread() override;

    bool haveGetNewKvlwData() const { return m_dev.haveNewFrame(); }
    // The oldest frame not yet taken.
    kvl_w getNewKvlwData() { return m_dev.takeFrame(); }
    // Every frame not yet taken, oldest first.
    QVector<kvl_w> takeNewKvlwData() { return m_dev.takeFrames(); }

    SpiDevice& device() { return m_dev; }
    QTimer* heartbeatTimerSonar() const { return m_hbSonar; }
    QTimer* heartbeatTimerAp() const { return m_hbAp; }
    void requestStop() { m_stop = true; }
    // Asks the loop to end and waits for it at most timeoutMs (a burst under way ends within
    // about a second); false when it has not ended.
    bool stop(int timeoutMs);

    static constexpr int kPollMs = 5;
    static constexpr int kHeartbeatMs = 1000;
    static constexpr int kHeartbeatMissLimit = 100;
    static constexpr int kHeartbeatLost = 20;

signals:
    void signal_haveReceiveSth(QString text);

public slots:
    void slot_TimeOutUpdateHB_Snr();
    void slot_TimeOutUpdateHB_Ap();

protected:
    void run() override;

private:
    void countHeartbeat();

    SpiDevice m_dev;
    QTimer* m_hbSonar;
    QTimer* m_hbAp;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_finished{false};
};

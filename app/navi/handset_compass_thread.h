#pragma once

#include "navi/handset_compass.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

class CompassBus;
class UxCompassDevice;

// The handset compass on a thread of its own, so that the supply switching and the chip's
// settling times never hold up the GUI thread. The caller's requests queue up as jobs; the
// thread works them off in order and ends each with one reading cycle, so that a reading is
// waiting for the next read(). Everything both threads touch is under one mutex or atomic.
class HandsetCompassThread : public QThread, public HandsetCompass {
public:
    explicit HandsetCompassThread(std::unique_ptr<CompassBus> bus);
    // Ends the thread; a wait in progress is cut short.
    ~HandsetCompassThread() override;

    void detect() override;
    bool fitted() const override { return m_fitted; }
    void reopen() override;
    void redetect() override;
    int read() override;
    bool outOfRange() const override { return m_outOfRange; }
    QString generation() const override;
    void startCalibration() override;
    bool calibrating() const override { return m_calibrating; }
    StructCompassCali calibration() const override;
    void cancelCalibration() override { m_cancel = 1; }

protected:
    void run() override;

private:
    enum class Job { Detect, Reopen, Redetect, Read, Calibrate };
    void queue(Job job);
    void work(Job job);
    void readCycle();
    // Waits ms, or less when the thread is to end; false then.
    bool waitMs(int ms);

    std::unique_ptr<UxCompassDevice> m_device;  // the thread's own

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    bool m_stop = false;
    bool m_busy = false;
    bool m_hasReading = false;
    int m_reading = kNoReading;
    QString m_generation;
    StructCompassCali m_cali;

    std::atomic<bool> m_fitted{false};
    std::atomic<bool> m_outOfRange{false};
    std::atomic<bool> m_calibrating{false};
    std::atomic<int> m_cancel{0};
};

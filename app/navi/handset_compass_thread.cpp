#include "navi/handset_compass_thread.h"

#include "navi/ux_compass_device.h"
#include "platform/compass_bus.h"

#include <chrono>

namespace {
constexpr int kDetectAttempts = 5;
constexpr int kPowerUpMs = 10;
}  // namespace

HandsetCompassThread::HandsetCompassThread(std::unique_ptr<CompassBus> bus)
    : m_device(std::make_unique<UxCompassDevice>(std::move(bus),
                                                 [this](int ms) { return waitMs(ms); })) {}

HandsetCompassThread::~HandsetCompassThread() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    wait();
}

bool HandsetCompassThread::waitMs(int ms) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop; });
}

void HandsetCompassThread::queue(Job job) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(job);
    }
    m_wake.notify_all();
    if (!isRunning()) start();
}

void HandsetCompassThread::detect() {
    queue(Job::Detect);
}

void HandsetCompassThread::reopen() {
    queue(Job::Reopen);
}

// Asked for on every tick without a reading: once is enough while the thread is at work.
void HandsetCompassThread::redetect() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_busy || !m_jobs.empty()) return;
    }
    queue(Job::Redetect);
}

// The reading the thread left, and the next one asked for.
int HandsetCompassThread::read() {
    int reading = kNoReading;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_hasReading) reading = m_reading;
        m_hasReading = false;
        if (m_busy || !m_jobs.empty()) return reading;
    }
    queue(Job::Read);
    return reading;
}

QString HandsetCompassThread::generation() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_generation;
}

void HandsetCompassThread::startCalibration() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cali = StructCompassCali();
    }
    m_cancel = 0;
    m_calibrating = true;
    queue(Job::Calibrate);
}

StructCompassCali HandsetCompassThread::calibration() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_cali;
}

void HandsetCompassThread::run() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_busy = false;
            m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
            if (m_stop) return;
            job = m_jobs.front();
            m_jobs.pop_front();
            m_busy = true;
        }
        work(job);
    }
}

void HandsetCompassThread::work(Job job) {
    UxCompassDevice& d = *m_device;
    switch (job) {
        case Job::Detect:
            for (int i = 0; i < kDetectAttempts && !m_fitted; ++i) {
                d.closePower();
                d.openPower();
                if (!waitMs(kPowerUpMs)) return;
                m_fitted = d.device_Init_HW() == 1;
            }
            break;
        case Job::Reopen:
            d.closeI2cDev();
            d.openI2cDev();
            break;
        case Job::Redetect:
            d.closeI2cDev();
            d.openI2cDev();
            d.device_Init_HW();
            break;
        case Job::Read:
            break;
        case Job::Calibrate: {
            const auto progress = [this](int samples, const QString& text) {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_cali.samples = samples;
                m_cali.text = text;
            };
            const bool saved = d.device_CeliberMeg(progress, m_cancel);
            std::lock_guard<std::mutex> lock(m_mutex);
            m_cali.finished = true;
            m_cali.saved = saved;
            m_calibrating = false;
            break;
        }
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_generation = d.generationText();
    }
    readCycle();
}

void HandsetCompassThread::readCycle() {
    const int heading = m_device->Tsk_RdCompass();
    m_outOfRange = m_device->outOfRange();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_reading = heading;
    m_hasReading = true;
}

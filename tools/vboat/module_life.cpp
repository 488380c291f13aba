#include "module_life.h"

#include "update_file.h"

namespace vboat {

namespace {
constexpr double kBootSeconds = 0.5;          // power switch to the announcement
constexpr double kLoaderWaitSeconds = 1.0;    // the loader waits this long for the handset
constexpr double kLoaderIdleSeconds = 3.0;    // ... and, once it has spoken, for its next word
constexpr double kLoaderReportSeconds = 0.3;  // its last report goes out before it boots
}  // namespace

void ModuleLife::powerOn(double now) {
    if (state_ != State::Off) return;
    state_ = State::Booting;
    upAt_ = now + kBootSeconds;
}

void ModuleLife::enterLoader(double now) {
    state_ = State::Loader;
    loader_.enter();
    last_ = now;
    exitAt_ = -1;
}

QList<QByteArray> ModuleLife::toLoader(const QByteArray& packet, double now) {
    if (state_ != State::Loader) return {};
    last_ = now;
    const QList<QByteArray> answers = loader_.onPacket(packet);
    if (loader_.done() && exitAt_ < 0) {
        exitAt_ = now + kLoaderReportSeconds;
        const int flashed = imageVersion(loader_.stats().image);
        if (loader_.stats().result == '4' && flashed >= 0) version_ = quint16(flashed);
    }
    return answers;
}

bool ModuleLife::tick(double now) {
    if (state_ == State::Loader) {
        const bool spoken = loader_.stats().heartbeatsAnswered > 0;
        const bool idle = now - last_ > (spoken ? kLoaderIdleSeconds : kLoaderWaitSeconds);
        if ((exitAt_ >= 0 && now >= exitAt_) || (exitAt_ < 0 && idle)) {
            state_ = State::Off;
            powerOn(now);
        }
    }
    if (state_ == State::Booting && now >= upAt_) {
        state_ = State::On;
        return true;
    }
    return false;
}

}  // namespace vboat

#include "boat_core.h"

#include <algorithm>

namespace vboat {

namespace {
constexpr double kBootSeconds = 0.5;          // power switch to hello
constexpr double kLoaderWaitSeconds = 1.0;    // the loader waits this long for the handset
constexpr double kLoaderIdleSeconds = 3.0;    // ... and, once it has spoken, for its next word
constexpr double kLoaderReportSeconds = 0.3;  // its last report goes out before it boots
constexpr double kRadioDelay = 0.04;          // handset -> boat -> handset
constexpr double kPairingSeconds = 0.8;       // bind command (or boat power-up) to success
constexpr double kBindWindowSeconds = 60.0;   // the module gives up binding after this
constexpr double kMinRate = 0.2;
constexpr double kMaxRate = 50.0;

quint8 rssiByte(int dbm) {
    return static_cast<quint8>(dbm & 0xFF);
}

// The command of a payload that starts with a command and its complement.
bool commandOf(const QByteArray& payload, quint8& command) {
    if (payload.size() < 2) return false;
    command = static_cast<quint8>(payload[0]);
    return (command ^ static_cast<quint8>(payload[1])) == 0xFF;
}

void put16(QByteArray& b, int at, quint16 v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}
}  // namespace

bool faultFromName(const QString& name, Fault& fault) {
    static const struct {
        const char* name;
        Fault fault;
    } kNames[] = {{"none", Fault::None},
                  {"silence", Fault::Silence},
                  {"bad-frame-checksum", Fault::BadFrameChecksum},
                  {"bad-header-checksum", Fault::BadHeaderChecksum},
                  {"short-frame", Fault::ShortFrame},
                  {"long-frame", Fault::LongFrame},
                  {"garbage", Fault::Garbage},
                  {"split-frame", Fault::SplitFrame}};
    for (const auto& entry : kNames) {
        if (name == QLatin1String(entry.name)) {
            fault = entry.fault;
            return true;
        }
    }
    return false;
}

BoatCore::BoatCore(const SimOptions& options) : sim_(options), noise_(options.seed ^ 0x5bd1e995u) {}

void BoatCore::write(const QByteArray& bytes, double now) {
    if (output_.chipSelect() || !transmitHigh_) ++stats_.handshakeViolations;
    reader_.feed(bytes);
    Packet packet;
    while (reader_.next(packet))
        onPacket(packet, now);
}

QByteArray BoatCore::read(int count) {
    return output_.read(count);
}

void BoatCore::setLine(int line, bool high) {
    if (line == kChipSelect) output_.setChipSelect(high);
    if (line == kTransmit) transmitHigh_ = high;
    // The receive-ready line is the module's output: driving it does nothing.
}

bool BoatCore::line(int line) const {
    if (line == kChipSelect) return output_.chipSelect();
    if (line == kTransmit) return transmitHigh_;
    return output_.ready();
}

void BoatCore::resetConnection() {
    output_.clear();
    reader_.clear();
    transmitHigh_ = false;
    bindPending_ = false;
}

void BoatCore::powerOn(double now) {
    if (power_ != Power::Off) return;
    power_ = Power::Booting;
    bootDoneAt_ = now + kBootSeconds;
    nextFrameAt_ = bootDoneAt_ + 0.1;
    rebootAt_ = -1;
    sim_.restartGps();
}

void BoatCore::powerOff() {
    power_ = Power::Off;
    rebootAt_ = -1;
    pending_.clear();
}

void BoatCore::setFrameRate(double framesPerSecond) {
    rate_ = std::clamp(framesPerSecond, kMinRate, kMaxRate);
}

void BoatCore::setFault(Fault fault, int everyNth) {
    fault_ = fault;
    faultEvery_ = std::max(1, everyNth);
}

void BoatCore::setLoaderFault(LoaderFault fault, int stopAfterBlocks) {
    loader_.setFault(fault, stopAfterBlocks);
}

BoatStats BoatCore::stats() const {
    BoatStats s = stats_;
    s.loader = loader_.stats();
    s.badPackets += reader_.rejectedHeaders();
    s.readsWhileDeselected = output_.readsWhileDeselected();
    s.droppedMessages = output_.dropped();
    return s;
}

void BoatCore::tick(double now) {
    if (power_ == Power::Loader) {
        const bool spoken = loader_.stats().heartbeatsAnswered > 0;
        const bool idle = now - loaderLast_ > (spoken ? kLoaderIdleSeconds : kLoaderWaitSeconds);
        if ((loaderExitAt_ >= 0 && now >= loaderExitAt_) || (loaderExitAt_ < 0 && idle)) {
            // The loader hands over: the application boots and says hello.
            power_ = Power::Off;
            loaderExitAt_ = -1;
            rebootAt_ = now;
        }
    }
    if (power_ == Power::Off && rebootAt_ >= 0 && now >= rebootAt_) powerOn(now);
    if (power_ == Power::Booting && now >= bootDoneAt_) {
        power_ = Power::On;
        // The box announces itself once it is up.
        if (boatCanSpeak()) send(kToBoat, shortCommand(kHello));
    }
    for (int i = 0; i < pending_.size();) {
        if (pending_[i].due <= now) {
            if (boatCanSpeak()) send(kToBoat, pending_[i].payload);
            pending_.removeAt(i);
        } else {
            ++i;
        }
    }
    if (bindPending_ && now - bindSince_ > kBindWindowSeconds) bindPending_ = false;
    if (bindPending_ && power_ == Power::On &&
        now >= std::max(bindSince_, bootDoneAt_) + kPairingSeconds) {
        bindPending_ = false;
        send(kToModule, shortCommand(kBindOk));
    }
    if (power_ != Power::On) return;
    const double period = 1.0 / rate_;
    if (now - nextFrameAt_ > 1.0) nextFrameAt_ = now;  // after a stall, do not burst
    while (now >= nextFrameAt_) {
        sendFrame();
        nextFrameAt_ += period;
    }
}

void BoatCore::onPacket(const Packet& packet, double now) {
    ++stats_.packetsReceived;
    if (packet.type == kToModule) {
        quint8 cmd = 0;
        if (commandOf(packet.payload, cmd)) onModuleCommand(cmd, now);
    } else if (packet.type == kToBoat) {
        onBoatCommand(packet, now);
    } else {
        ++stats_.badPackets;
    }
}

void BoatCore::onModuleCommand(quint8 command, double now) {
    if (command == kBind) {
        ++stats_.bindRequests;
        send(kToModule, shortCommand(kAck));
        if (!bindPending_) bindSince_ = now;
        bindPending_ = true;
    } else if (command == kAskReport) {
        // md, power index, RSSI here, RSSI at the boat, version; then a byte that makes
        // the six XOR to 0. A boat that cannot be heard gives no signal figures.
        QByteArray data(6, '\0');
        data[0] = 1;
        data[1] = 3;
        if (boatCanSpeak()) {
            const int rssi = sim_.rssiDbm();
            data[2] = static_cast<char>(rssiByte(rssi));
            data[3] = static_cast<char>(rssiByte(rssi - 2 + static_cast<int>(noise_() % 5)));
        }
        data[4] = static_cast<char>(versions_.moduleVersion);
        data[5] = static_cast<char>(xorBytes(data.constData(), 5));
        send(kToModule, reportCommand(kReport, data));
    }
}

void BoatCore::onBoatCommand(const Packet& packet, double now) {
    if (!boatCanSpeak()) return;  // nobody on the other side hears it
    quint8 cmd = 0;
    const bool isCommand = commandOf(packet.payload, cmd) && cmd != 0x00;
    if (power_ == Power::Loader) {
        if (!isCommand) {
            onLoaderPacket(packet, now);
        } else if (cmd == kReset) {
            enterLoader(now);
        }
        return;  // the loader knows nothing else
    }
    if (!isCommand) return;  // a KBoot packet while the application runs
    switch (cmd) {
        case kHello:
            replyFromBoat(shortCommand(kHello), now);
            break;
        case kAskReport: {
            // Bytes 3..10 and 19 carry nothing; byte 20 is the XOR of the versions.
            QByteArray data(18, '\0');
            put16(data, 8, versions_.app);
            put16(data, 10, versions_.radio);
            put16(data, 12, versions_.gps);
            put16(data, 14, versions_.autopilot);
            data[17] = static_cast<char>(xorBytes(data.constData() + 8, 8));
            replyFromBoat(reportCommand(kReport, data), now);
            break;
        }
        case kCompassCali:
            replyFromBoat(shortCommand(kAck), now);
            break;
        case kReset:
            enterLoader(now);
            break;
        case kSonarConfig:
            if (applyConfigMessage(packet.payload.mid(2), settings_)) {
                ++stats_.configAccepted;
                stats_.lastConfig = packet.payload.mid(2, packet.payload.indexOf('*') - 2);
                replyFromBoat(shortCommand(kAck), now);
            } else {
                ++stats_.configRejected;
            }
            break;
        default:
            break;  // the autopilot channel arrives with the autopilot
    }
}

void BoatCore::enterLoader(double now) {
    power_ = Power::Loader;
    pending_.clear();
    loader_.enter();
    loaderLast_ = now;
    loaderExitAt_ = -1;
    rebootAt_ = -1;
}

void BoatCore::onLoaderPacket(const Packet& packet, double now) {
    loaderLast_ = now;
    for (const QByteArray& reply : loader_.onPacket(packet.payload))
        replyFromBoat(reply, now);
    if (loader_.done() && loaderExitAt_ < 0) loaderExitAt_ = now + kLoaderReportSeconds;
}

void BoatCore::send(quint8 type, const QByteArray& payload) {
    output_.push(buildPacket(type, packetIndex_++, payload), false);
}

void BoatCore::replyFromBoat(const QByteArray& payload, double now) {
    pending_.append({now + kRadioDelay, payload});
}

void BoatCore::sendFrame() {
    QByteArray frame = sim_.nextFrame(1.0 / rate_, settings_);
    if (!boatCanSpeak()) return;  // the boat goes on, but its frames are lost
    ++frameCount_;
    const Fault fault = frameCount_ % faultEvery_ == 0 ? fault_ : Fault::None;
    QByteArray message;
    switch (fault) {
        case Fault::BadFrameChecksum:
            frame[kFrameSize - 1] = static_cast<char>(frame[kFrameSize - 1] ^ 0x5A);
            break;
        case Fault::ShortFrame:
            frame.chop(1);
            break;
        case Fault::LongFrame:
            frame.append(static_cast<char>(noise_() & 0xFF));
            break;
        case Fault::Garbage: {
            const int count = 3 + static_cast<int>(noise_() % 22);
            for (int i = 0; i < count; ++i) {
                char c = static_cast<char>(noise_() & 0xFF);
                message.append(c == '#' ? '\x55' : c);
            }
            message.append(QByteArray(static_cast<int>(noise_() % 4), '#'));
            break;
        }
        default:
            break;
    }
    if (fault == Fault::SplitFrame) {
        const int cut = 40 + static_cast<int>(noise_() % 200);
        message.append(buildPacket(kSonarFrame, packetIndex_++, frame.left(cut)));
        message.append(buildPacket(kSonarFrame, packetIndex_++, frame.mid(cut)));
    } else {
        QByteArray packet = buildPacket(kSonarFrame, packetIndex_++, frame);
        if (fault == Fault::BadHeaderChecksum) packet[10] = static_cast<char>(packet[10] ^ 0x21);
        message.append(packet);
    }
    ++stats_.framesQueued;
    output_.push(message, true);
}

}  // namespace vboat

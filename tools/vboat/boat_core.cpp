#include "boat_core.h"

#include <algorithm>
#include <cmath>

namespace vboat {

namespace {
constexpr double kRadioDelay = 0.04;         // handset -> boat -> handset
constexpr double kBootSeconds = 0.5;         // the boat's power switch to its radio's pairing
constexpr double kPairingSeconds = 0.8;      // bind command (or boat boot) to success
constexpr double kBindWindowSeconds = 60.0;  // the module gives up binding after this
constexpr double kMinRate = 0.2;
constexpr double kMaxRate = 50.0;
constexpr int kWeakLinkLossDb = 25;
constexpr double kFixJumpMetres = 1000;

quint8 rssiByte(int dbm) {
    return static_cast<quint8>(dbm & 0xFF);
}

// The command of a payload that starts with a command and its complement.
bool commandOf(const QByteArray& payload, quint8& command) {
    if (payload.size() < 2) return false;
    command = static_cast<quint8>(payload[0]);
    return (command ^ static_cast<quint8>(payload[1])) == 0xFF;
}

// The data of a command with a length byte (0xC0..0xCF): at most that many bytes after it.
QByteArray reportData(const QByteArray& payload) {
    return payload.size() < 3 ? QByteArray() : payload.mid(3, quint8(payload[2]));
}

void put16(QByteArray& b, int at, quint16 v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

QByteArray hex(quint8 v) {
    return "0x" + QByteArray::number(v, 16).rightJustified(2, '0').toUpper();
}

// "kboot 0x20 50": type and data length of a KBoot packet, "kboot ?" when it does not decode.
QByteArray describeKBoot(const QByteArray& packet) {
    quint8 type = 0;
    QByteArray data;
    if (!KBootLoader::decode(packet, type, data)) return "kboot ?";
    return "kboot " + hex(type) + ' ' + QByteArray::number(data.size());
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

bool fixFaultFromName(const QString& name, FixFault& fault) {
    if (name == QLatin1String("fix-zero")) {
        fault = FixFault::Zero;
    } else if (name == QLatin1String("fix-jump")) {
        fault = FixFault::Jump;
    } else if (name == QLatin1String("fix-few")) {
        fault = FixFault::Few;
    } else {
        return false;
    }
    return true;
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
    if (boatOn_) return;
    boatOn_ = true;
    bootDoneAt_ = now + kBootSeconds;
    sonar_.powerOn(now);
    ap_.powerOn(now);
}

void BoatCore::powerOff() {
    boatOn_ = false;
    sonar_.powerOff();
    ap_.powerOff();
    pending_.clear();
}

void BoatCore::setFrameRate(double framesPerSecond) {
    rate_ = std::clamp(framesPerSecond, kMinRate, kMaxRate);
}

void BoatCore::setFault(Fault fault, int everyNth) {
    fault_ = fault;
    faultEvery_ = std::max(1, everyNth);
}

void BoatCore::setFixFault(FixFault fault, int everyNth) {
    fixFault_ = fault;
    fixFaultEvery_ = std::max(1, everyNth);
}

bool BoatCore::setFaultByName(const QString& name, int everyNth) {
    Fault fault = Fault::None;
    FixFault fixFault = FixFault::None;
    if (name == QLatin1String("none")) {
        setFault(Fault::None);
        setFixFault(FixFault::None);
        link_ = LinkFault::None;
        ap_.setAcknowledging(true);
    } else if (faultFromName(name, fault)) {
        setFault(fault, everyNth);
    } else if (fixFaultFromName(name, fixFault)) {
        setFixFault(fixFault, everyNth);
    } else if (name == QLatin1String("weak")) {
        link_ = LinkFault::Weak;
    } else if (name == QLatin1String("lost")) {
        link_ = LinkFault::Lost;
    } else if (name == QLatin1String("no-ack")) {
        ap_.setAcknowledging(false);
    } else {
        return false;
    }
    return true;
}

void BoatCore::setLoaderFault(LoaderFault fault, int stopAfterBlocks) {
    sonar_.loader().setFault(fault, stopAfterBlocks);
}

void BoatCore::setVersions(const BoatVersions& versions) {
    versions_ = versions;
    sonar_.setVersion(versions.app);
    ap_.life().setVersion(versions.autopilot);
}

BoatVersions BoatCore::versions() const {
    BoatVersions v = versions_;
    v.app = sonar_.version();
    v.autopilot = ap_.life().version();
    return v;
}

BoatStats BoatCore::stats() const {
    BoatStats s = stats_;
    s.loader = sonar_.loader().stats();
    s.apLoader = ap_.life().loader().stats();
    s.autopilot = ap_.stats();
    s.badPackets += reader_.rejectedHeaders();
    s.readsWhileDeselected = output_.readsWhileDeselected();
    s.droppedMessages = output_.dropped();
    return s;
}

bool BoatCore::canSpeak(Source source) const {
    const ModuleLife& life = source == Source::Sonar ? sonar_ : ap_.life();
    return boatHeard() && (life.on() || life.inLoader());
}

int BoatCore::rssiDbm() {
    if (rssiOverride_ != 0) return rssiOverride_;
    // Free space from 5 m on, a little fading on top.
    const double distance = std::max(1.0, sim_.distanceFromShore());
    double dbm = -38.0 - 20.0 * std::log10(distance / 5.0) +
                 std::uniform_real_distribution<double>(-2.5, 2.5)(noise_);
    dbm = std::clamp(dbm, -100.0, -30.0);
    if (link_ == LinkFault::Weak) dbm -= kWeakLinkLossDb;
    return static_cast<int>(std::lround(dbm));
}

void BoatCore::tick(double now) {
    if (sonar_.tick(now)) {
        // The box announces itself once it is up; its GPS starts looking for satellites.
        sim_.restartGps();
        nextFrameAt_ = now + 0.1;
        if (canSpeak(Source::Sonar)) {
            send(kToBoat, shortCommand(kHello));
            traceSaid(Source::Sonar, shortCommand(kHello), now);
        }
    }
    QList<QByteArray> said;
    ap_.tick(now, said);
    traceEvents(now);
    for (const QByteArray& sentence : said) {
        if (!canSpeak(Source::Autopilot)) continue;
        send(kToBoat, reportCommand(kAutopilot, sentence));
        traceSaid(Source::Autopilot, reportCommand(kAutopilot, sentence), now);
    }
    for (int i = 0; i < pending_.size();) {
        if (pending_[i].due <= now) {
            if (canSpeak(pending_[i].source)) {
                send(kToBoat, pending_[i].payload);
                traceSaid(pending_[i].source, pending_[i].payload, now);
            }
            pending_.removeAt(i);
        } else {
            ++i;
        }
    }
    if (bindPending_ && now - bindSince_ > kBindWindowSeconds) bindPending_ = false;
    if (bindPending_ && boatOn_ && link_ != LinkFault::Lost &&
        now >= std::max(bindSince_, bootDoneAt_) + kPairingSeconds) {
        bindPending_ = false;
        send(kToModule, shortCommand(kBindOk));
    }
    if (!sonar_.on()) return;
    const double period = 1.0 / rate_;
    if (now - nextFrameAt_ > 1.0) nextFrameAt_ = now;  // after a stall, do not burst
    while (now >= nextFrameAt_) {
        sendFrame();
        nextFrameAt_ += period;
    }
}

void BoatCore::traceLine(const Packet& packet, double now) {
    if (!trace_) return;
    QByteArray line = QByteArray::number(now, 'f', 3);
    quint8 cmd = 0;
    const bool isCommand = commandOf(packet.payload, cmd) && cmd != 0x00;
    if (packet.type == kToModule) {
        line += " module " + (isCommand ? hex(cmd) : QByteArray("?"));
    } else if (packet.type == kToBoat && !isCommand) {
        line += " boat 0x00 " + describeKBoot(packet.payload);
    } else if (packet.type == kToBoat) {
        line += " boat " + hex(cmd);
        const QByteArray data = reportData(packet.payload);
        if (cmd == kSonarConfig) {
            const int star = packet.payload.indexOf('*');
            line += ' ' + packet.payload.mid(2, star < 0 ? -1 : star - 1);
        } else if (cmd == kAutopilot && data.startsWith('#')) {
            line += ' ' + describeKBoot(data);
        } else if (cmd == kAutopilot) {
            line += ' ' + data;
        }
        if (!boatHeard()) line += " (not heard)";
    } else {
        line += " ? " + hex(packet.type);
    }
    trace_(line + '\n');
}

void BoatCore::traceEvents(double now) {
    for (const QByteArray& event : ap_.takeEvents()) {
        if (trace_) trace_(QByteArray::number(now, 'f', 3) + " autopilot " + event + '\n');
    }
}

void BoatCore::traceSaid(Source source, const QByteArray& payload, double now) {
    if (!trace_) return;
    // Only what shows the conversation: the sonar box's hello and compass calibration result
    // and the autopilot's sentences (frames and other reports would bury them).
    quint8 cmd = 0;
    if (!commandOf(payload, cmd)) return;
    QByteArray line = QByteArray::number(now, 'f', 3);
    if (source == Source::Sonar && cmd == kHello) {
        line += " says sonar 0xA6 hello";
    } else if (source == Source::Sonar && cmd == kCompassReport) {
        line += " says sonar 0xC3 " + reportData(payload);
    } else if (source == Source::Autopilot && cmd == kAutopilot) {
        const QByteArray data = reportData(payload);
        line +=
            " says autopilot 0xC2 " + (data.startsWith('#') ? describeKBoot(data) : data.trimmed());
    } else {
        return;
    }
    trace_(line + '\n');
}

void BoatCore::onPacket(const Packet& packet, double now) {
    ++stats_.packetsReceived;
    traceLine(packet, now);
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
        if (boatHeard()) {
            const int rssi = rssiDbm();
            const int fading = rssiOverride_ != 0 ? 0 : static_cast<int>(noise_() % 5) - 2;
            data[2] = static_cast<char>(rssiByte(rssi));
            data[3] = static_cast<char>(rssiByte(rssi + fading));
        }
        data[4] = static_cast<char>(versions_.moduleVersion);
        data[5] = static_cast<char>(xorBytes(data.constData(), 5));
        send(kToModule, reportCommand(kReport, data));
    }
}

void BoatCore::onBoatCommand(const Packet& packet, double now) {
    if (!boatHeard()) return;  // nobody on the other side hears it
    quint8 cmd = 0;
    const bool isCommand = commandOf(packet.payload, cmd) && cmd != 0x00;
    if (isCommand && cmd == kAutopilot) {
        QList<QByteArray> replies;
        ap_.receive(reportData(packet.payload), now, replies);
        for (const QByteArray& reply : replies)
            replyFromBoat(Source::Autopilot, reportCommand(kAutopilot, reply), now);
        traceEvents(now);
        return;
    }
    if (sonar_.inLoader()) {
        if (!isCommand) {
            for (const QByteArray& reply : sonar_.toLoader(packet.payload, now))
                replyFromBoat(Source::Sonar, reply, now);
        } else if (cmd == kReset) {
            sonar_.enterLoader(now);
        }
        return;  // the loader knows nothing else
    }
    if (!isCommand || !sonar_.on()) return;  // a KBoot packet while the application runs
    switch (cmd) {
        case kHello:
            replyFromBoat(Source::Sonar, shortCommand(kHello), now);
            break;
        case kAskReport: {
            // Bytes 3..10 and 19 carry nothing; byte 20 is the XOR of the versions.
            const BoatVersions v = versions();
            QByteArray data(18, '\0');
            put16(data, 8, v.app);
            put16(data, 10, v.radio);
            put16(data, 12, v.gps);
            put16(data, 14, v.autopilot);
            data[17] = static_cast<char>(xorBytes(data.constData() + 8, 8));
            replyFromBoat(Source::Sonar, reportCommand(kReport, data), now);
            break;
        }
        case kCompassCali: {
            replyFromBoat(Source::Sonar, shortCommand(kAck), now);
            if (!compass_.start(now)) break;  // the one under way goes on
            const QByteArray report = compass_.report(versions().app);
            if (!report.isEmpty())
                pending_.append(
                    {compass_.endsAt(), Source::Sonar, reportCommand(kCompassReport, report)});
            break;
        }
        case kReset:
            // The sonar box's pending replies die with its application.
            pending_.erase(
                std::remove_if(pending_.begin(), pending_.end(),
                               [](const Pending& p) { return p.source == Source::Sonar; }),
                pending_.end());
            sonar_.enterLoader(now);
            break;
        case kSonarConfig:
            if (applyConfigMessage(packet.payload.mid(2), settings_)) {
                ++stats_.configAccepted;
                stats_.lastConfig = packet.payload.mid(2, packet.payload.indexOf('*') - 2);
                replyFromBoat(Source::Sonar, shortCommand(kAck), now);
            } else {
                ++stats_.configRejected;
            }
            break;
        default:
            break;
    }
}

void BoatCore::send(quint8 type, const QByteArray& payload) {
    output_.push(buildPacket(type, packetIndex_++, payload), false);
}

void BoatCore::replyFromBoat(Source source, const QByteArray& payload, double now) {
    pending_.append({now + kRadioDelay, source, payload});
}

void BoatCore::spoilFix(FrameFields& fields) const {
    switch (fixFault_) {
        case FixFault::Zero:
            fields.latitudeDm = 0;
            fields.longitudeDm = 0;
            break;
        case FixFault::Jump: {
            // From the true position, so that the jump is exactly its length.
            const CoursePoint p = sim_.position();
            double lat = 0;
            double lon = 0;
            sim_.localToGeo(p.x, p.y + kFixJumpMetres, lat, lon);
            fields.latitudeDm = degreesToDm(lat);
            fields.longitudeDm = degreesToDm(lon);
            break;
        }
        case FixFault::Few:
            fields.satellites = 2;
            break;
        case FixFault::None:
            break;
    }
}

void BoatCore::sendFrame() {
    FrameFields fields = sim_.nextFields(1.0 / rate_, settings_);
    if (!boatHeard()) return;  // the boat goes on, but its frames are lost
    if (link_ == LinkFault::Weak && (stats_.framesQueued + stats_.framesLost) % 2 == 1) {
        ++stats_.framesLost;
        return;
    }
    ++frameCount_;
    // Before the frame is encoded: a bad fix comes with a right checksum.
    if (frameCount_ % fixFaultEvery_ == 0) spoilFix(fields);
    QByteArray frame = encodeFrame(fields);
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

#pragma once

#include "autopilot.h"
#include "boat_sim.h"
#include "compass_cali.h"
#include "module_life.h"
#include "module_output.h"
#include "sbus.h"
#include "sonar_settings.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <random>

// Everything on the far side of the handset's SPI bus, without threads or sockets: the
// local radio module (acknowledgements, binding, radio report) and, over the radio, the
// boat's sonar box (hello, frames, configuration, system report) and its autopilot
// (sentences on channel 0xC2). Time is passed in as seconds on any steady clock, so a test
// can drive it step by step.
namespace vboat {

enum class Fault {
    None,
    Silence,            // the boat says nothing at all (the radio module still answers)
    BadFrameChecksum,   // frame bytes 3..275 do not XOR to 0
    BadHeaderChecksum,  // the packet header's XOR byte is wrong
    ShortFrame,         // 275 bytes
    LongFrame,          // 277 bytes
    Garbage,            // line noise (and extra '#') in front of the packet
    SplitFrame,         // one frame in two packets of the same transfer
};

// The radio path between the two modules.
enum class LinkFault {
    None,
    Weak,  // every second frame is lost and the signal is 25 dB weaker
    Lost,  // nothing gets through either way; the radio report shows no signal
};

// A frame that is well formed but carries a bad GPS fix.
enum class FixFault {
    None,
    Zero,  // latitude and longitude 0, as a receiver that reports (0, 0)
    Jump,  // the position 1000 m north of the boat's
    Few,   // 2 satellites, the position as it is
};

// "none", "silence", "bad-frame-checksum", "bad-header-checksum", "short-frame", "long-frame",
// "garbage", "split-frame"; false for any other name.
bool faultFromName(const QString& name, Fault& fault);
// "fix-zero", "fix-jump", "fix-few"; false for any other name.
bool fixFaultFromName(const QString& name, FixFault& fault);

// GPIO lines beside the SPI bus, as numbered on the wire.
enum Line { kChipSelect = 0, kReceiveReady = 1, kTransmit = 2 };

struct BoatVersions {
    quint16 app = 105;   // sonar box
    quint16 radio = 21;  // the boat's radio
    quint16 gps = 301;
    quint16 autopilot = Autopilot::kVersion;  // hundredths
    quint8 moduleVersion = 21;                // the handset's own radio module
};

struct BoatStats {
    int framesQueued = 0;
    int framesLost = 0;  // to a weak link
    int packetsReceived = 0;
    int badPackets = 0;           // headers that failed, plus packets of unknown type
    int handshakeViolations = 0;  // writes without chip select low and transmit line high
    int readsWhileDeselected = 0;
    int droppedMessages = 0;
    int configAccepted = 0;
    int configRejected = 0;
    int bindRequests = 0;
    QByteArray lastConfig;  // text of the last accepted configuration message
    LoaderStats loader;     // the sonar box's firmware loader's view of the last update
    LoaderStats apLoader;   // the autopilot's
    ApStats autopilot;
};

class BoatCore {
public:
    explicit BoatCore(const SimOptions& options = SimOptions());

    // The wire side.
    void write(const QByteArray& bytes, double now);
    QByteArray read(int count);
    void setLine(int line, bool high);
    bool line(int line) const;
    // A new handset: the module starts afresh (empty queue, lines idle, no binding).
    void resetConnection();

    // Moves time on: boot, frames, sentences, delayed replies, binding.
    void tick(double now);

    void powerOn(double now);
    void powerOff();
    bool poweredOn() const { return boatOn_; }
    // True while the sonar box runs its firmware loader (after a reset command).
    bool inLoader() const { return sonar_.inLoader(); }
    void setLoaderFault(LoaderFault fault, int stopAfterBlocks = 0);
    void setLoaderReRequestEvery(int n) { sonar_.loader().setReRequestEvery(n); }
    void setFrameRate(double framesPerSecond);
    double frameRate() const { return rate_; }
    // The fault hits every nth frame (1: all of them); Silence hits everything from the boat.
    void setFault(Fault fault, int everyNth = 1);
    // A bad fix in every nth frame, on its own or together with a frame fault.
    void setFixFault(FixFault fault, int everyNth = 1);
    void setLinkFault(LinkFault fault) { link_ = fault; }
    LinkFault linkFault() const { return link_; }
    // Any fault by name: the frame faults of faultFromName(), the fix faults of
    // fixFaultFromName(), "weak" and "lost" for the link, "no-ack" for an autopilot that
    // acknowledges nothing; "none" clears them all. False for an unknown name.
    bool setFaultByName(const QString& name, int everyNth = 1);
    // Signal strength in dBm that the radio report gives on both sides, whatever the
    // distance; 0 follows the distance again.
    void setRssiOverride(int dbm) { rssiOverride_ = dbm; }
    // The satellites the frames and the autopilot report (-1: as the sky gives).
    void setSatellitesOverride(int count) { sim_.setSatellitesOverride(count); }
    void setVersions(const BoatVersions& versions);
    BoatVersions versions() const;
    Autopilot& autopilot() { return ap_; }
    // How the next boat compass calibrations end.
    CompassCali& compassCali() { return compass_; }
    const BoatSim& sim() const { return sim_; }
    BoatSim& sim() { return sim_; }
    SonarSettings sonarSettings() const { return settings_; }
    BoatStats stats() const;

    // Receives one line for each packet the radio module takes from the handset:
    // "12.345 boat 0xC2 $HMPRA,...,*hh", and one for the boat's hello and each of the
    // autopilot's sentences: "12.300 says autopilot 0xC2 $HMPWR,*hh" (see WIRE.md).
    void setTrace(std::function<void(const QByteArray&)> sink) { trace_ = std::move(sink); }

private:
    enum class Source { Sonar, Autopilot };
    struct Pending {
        double due = 0;
        Source source = Source::Sonar;
        QByteArray payload;
    };

    void onPacket(const Packet& packet, double now);
    void onModuleCommand(quint8 command, double now);
    void onBoatCommand(const Packet& packet, double now);
    void traceLine(const Packet& packet, double now);
    // A line for what the boat itself says: "12.345 says autopilot 0xC2 $HMPWR,*hh".
    void traceSaid(Source source, const QByteArray& payload, double now);
    // The autopilot's task events (arrivals, holds at a reached point).
    void traceEvents(double now);
    // Queues one packet for the handset; type kToModule for the radio module's own replies,
    // kToBoat for what the boat sends.
    void send(quint8 type, const QByteArray& payload);
    void replyFromBoat(Source source, const QByteArray& payload, double now);
    void sendFrame();
    void spoilFix(FrameFields& fields) const;
    // Whether the two radios reach each other and the boat is on.
    bool boatHeard() const {
        return boatOn_ && fault_ != Fault::Silence && link_ != LinkFault::Lost;
    }
    bool canSpeak(Source source) const;
    int rssiDbm();

    BoatSim sim_;
    ModuleOutput output_;
    PacketReader reader_;
    SonarSettings settings_;
    ModuleLife sonar_{128, BoatVersions().app};
    Autopilot ap_{sim_};
    CompassCali compass_;
    BoatVersions versions_;
    BoatStats stats_;
    std::mt19937 noise_;
    QList<Pending> pending_;
    std::function<void(const QByteArray&)> trace_;
    bool boatOn_ = false;
    double bootDoneAt_ = 0;
    double nextFrameAt_ = 0;
    double rate_ = 6.0;
    Fault fault_ = Fault::None;
    int faultEvery_ = 1;
    FixFault fixFault_ = FixFault::None;
    int fixFaultEvery_ = 1;
    LinkFault link_ = LinkFault::None;
    int rssiOverride_ = 0;
    int frameCount_ = 0;
    bool transmitHigh_ = false;
    bool bindPending_ = false;
    double bindSince_ = 0;
    quint8 packetIndex_ = 0;
};

}  // namespace vboat

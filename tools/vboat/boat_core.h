#pragma once

#include "boat_sim.h"
#include "module_output.h"
#include "sbus.h"
#include "sonar_loader.h"
#include "sonar_settings.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <random>

// Everything on the far side of the handset's SPI bus, without threads or sockets: the
// local radio module (acknowledgements, binding, radio report) and, over the radio, the
// boat's sonar box (hello, frames, configuration, system report). Time is passed in as
// seconds on any steady clock, so a test can drive it step by step.
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

// "none", "silence", "bad-frame-checksum", "bad-header-checksum", "short-frame", "long-frame",
// "garbage", "split-frame"; false for any other name.
bool faultFromName(const QString& name, Fault& fault);

// GPIO lines beside the SPI bus, as numbered on the wire.
enum Line { kChipSelect = 0, kReceiveReady = 1, kTransmit = 2 };

struct BoatVersions {
    quint16 app = 105;   // sonar box
    quint16 radio = 21;  // the boat's radio
    quint16 gps = 301;
    quint16 autopilot = 0;      // 0: no autopilot answers
    quint8 moduleVersion = 21;  // the handset's own radio module
};

struct BoatStats {
    int framesQueued = 0;
    int packetsReceived = 0;
    int badPackets = 0;           // headers that failed, plus packets of unknown type
    int handshakeViolations = 0;  // writes without chip select low and transmit line high
    int readsWhileDeselected = 0;
    int droppedMessages = 0;
    int configAccepted = 0;
    int configRejected = 0;
    int bindRequests = 0;
    QByteArray lastConfig;  // text of the last accepted configuration message
    LoaderStats loader;     // the firmware loader's view of the last update
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

    // Moves time on: boot, frames, delayed replies, binding.
    void tick(double now);

    void powerOn(double now);
    void powerOff();
    bool poweredOn() const { return power_ != Power::Off; }
    // True while the sonar box runs its firmware loader (after a reset command).
    bool inLoader() const { return power_ == Power::Loader; }
    void setLoaderFault(LoaderFault fault, int stopAfterBlocks = 0);
    void setLoaderReRequestEvery(int n) { loader_.setReRequestEvery(n); }
    void setFrameRate(double framesPerSecond);
    double frameRate() const { return rate_; }
    // The fault hits every nth frame (1: all of them); Silence hits everything from the boat.
    void setFault(Fault fault, int everyNth = 1);
    void setVersions(const BoatVersions& versions) { versions_ = versions; }
    SonarSettings sonarSettings() const { return settings_; }
    BoatStats stats() const;

private:
    enum class Power { Off, Booting, On, Loader };
    struct Pending {
        double due = 0;
        QByteArray payload;
    };

    void onPacket(const Packet& packet, double now);
    void onModuleCommand(quint8 command, double now);
    void onBoatCommand(const Packet& packet, double now);
    // Queues one packet for the handset; type kToModule for the radio module's own replies,
    // kToBoat for what the boat sends.
    void send(quint8 type, const QByteArray& payload);
    void replyFromBoat(const QByteArray& payload, double now);
    void sendFrame();
    bool boatCanSpeak() const {
        return (power_ == Power::On || power_ == Power::Loader) && fault_ != Fault::Silence;
    }
    void enterLoader(double now);
    void onLoaderPacket(const Packet& packet, double now);

    BoatSim sim_;
    ModuleOutput output_;
    PacketReader reader_;
    SonarSettings settings_;
    SonarLoader loader_;
    double loaderLast_ = 0;     // the loader's last packet from the handset
    double loaderExitAt_ = -1;  // when the loader hands over to the application
    BoatVersions versions_;
    BoatStats stats_;
    std::mt19937 noise_;
    QList<Pending> pending_;
    Power power_ = Power::Off;
    double bootDoneAt_ = 0;
    double rebootAt_ = -1;  // after a reset command
    double nextFrameAt_ = 0;
    double rate_ = 6.0;
    Fault fault_ = Fault::None;
    int faultEvery_ = 1;
    int frameCount_ = 0;
    bool transmitHigh_ = false;
    bool bindPending_ = false;
    double bindSince_ = 0;
    quint8 packetIndex_ = 0;
};

}  // namespace vboat

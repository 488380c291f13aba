#pragma once

#include <QByteArray>
#include <QtGlobal>

// The packet framing spoken between the handset and its radio module, written from the
// packet formats alone so that the virtual boat checks the handset rather than echoing it.
//
// Packet: "#sbus", type, index, 0, length (16-bit LE), XOR of bytes 5..9, '*', payload.
namespace vboat {

enum PacketType : quint8 {
    kToModule = 0x10,  // to or from the local radio module
    kToBoat = 0x11,    // to or from the boat
    kSonarFrame = 0x12,
};

enum Command : quint8 {
    kAck = 0xA0,
    kBind = 0xA1,
    kBindOk = 0xA2,
    kAskReport = 0xA3,
    kCompassCali = 0xA4,
    kReset = 0xA5,
    kHello = 0xA6,
    kSonarConfig = 0xB1,
    kReport = 0xC1,
    kAutopilot = 0xC2,
    kCompassReport = 0xC3,
};

constexpr int kHeaderSize = 12;
constexpr int kMaxPayload = 1012;

quint8 xorBytes(const char* data, int count);
inline quint8 xorBytes(const QByteArray& bytes) {
    return xorBytes(bytes.constData(), bytes.size());
}

// One whole packet. A payload longer than kMaxPayload gets the length field 0, as the
// handset does; the payload bytes follow all the same.
QByteArray buildPacket(quint8 type, quint8 index, const QByteArray& payload);

// Command payloads as the modules send them: short commands (0xA0..0xAF) are the command
// and its complement; reports (0xC0..0xCF) add a length byte and the data.
QByteArray shortCommand(quint8 command);
QByteArray reportCommand(quint8 command, const QByteArray& data);

struct Packet {
    quint8 type = 0;
    quint8 index = 0;
    QByteArray payload;
};

// Reassembles packets from the bytes the handset writes. Anything that is not a whole,
// well-formed packet is skipped up to the next "#sbus" and counted.
class PacketReader {
public:
    void feed(const QByteArray& bytes);
    // Takes the next complete packet; false when none is complete yet.
    bool next(Packet& packet);
    void clear();
    int rejectedHeaders() const { return rejected_; }
    int skippedBytes() const { return skipped_; }

private:
    QByteArray buffer_;
    int rejected_ = 0;
    int skipped_ = 0;
};

}  // namespace vboat

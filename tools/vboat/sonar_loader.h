#pragma once

#include <QByteArray>
#include <QList>

// The sonar box's firmware loader, entered by a reset command. It speaks KBoot packets
// ('#', length u16 LE, type, data, XOR of all bytes before it), parsed here from the packet
// format alone: heartbeat 0x00 is answered with 0x0C; the start message 0x1F (image size
// u32, block size u16, u16 0, image XOR) starts a transfer; blocks 0x20 (index u16, data)
// are asked for with report 0x36 '!' and the index; at the end report 0x36 '4' (image XOR
// right) or '5'.
namespace vboat {

enum class LoaderFault {
    None,
    NoAnswer,        // the loader never answers
    StopRequesting,  // it stops asking for blocks after stopAfterBlocks blocks
    ReportFailure,   // it reports '5' whatever the image
};

struct LoaderStats {
    int heartbeatsAnswered = 0;
    int startMessages = 0;
    int blocksTaken = 0;
    int reRequests = 0;
    char result = 0;  // '4', '5', or 0 while none reported
    QByteArray image;
};

class SonarLoader {
public:
    static constexpr quint8 kHeartbeat = 0x00;
    static constexpr quint8 kHeartbeatAnswer = 0x0C;
    static constexpr quint8 kStart = 0x1F;
    static constexpr quint8 kBlock = 0x20;
    static constexpr quint8 kReport = 0x36;

    // Fresh loader: no transfer under way.
    void enter();
    // One KBoot packet from the handset; returns the KBoot packets to answer with. A packet
    // that does not decode is ignored.
    QList<QByteArray> onPacket(const QByteArray& packet);
    // True once the result has been reported; the box then boots its application.
    bool done() const { return stats_.result != 0; }

    void setFault(LoaderFault fault, int stopAfterBlocks = 0);
    // Every nth block taken is asked for once more, as after a block lost on a lossy link
    // (0: never).
    void setReRequestEvery(int n) { reRequestEvery_ = n; }
    LoaderStats stats() const { return stats_; }

    static QByteArray encode(quint8 type, const QByteArray& data);
    static bool decode(const QByteArray& packet, quint8& type, QByteArray& data);

private:
    QByteArray request(int index);

    LoaderFault fault_ = LoaderFault::None;
    int stopAfter_ = 0;
    int reRequestEvery_ = 0;
    bool transferring_ = false;
    quint32 size_ = 0;
    int blockSize_ = 128;
    quint8 imageXor_ = 0;
    int next_ = 0;
    bool reRequested_ = false;
    LoaderStats stats_;
};

}  // namespace vboat

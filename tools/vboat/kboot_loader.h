#pragma once

#include <QByteArray>
#include <QList>

// The firmware loader of a boat module (the sonar box after a reset command, the autopilot
// after "$HMRST"). It speaks KBoot packets ('#', length u16 LE, type, data, XOR of all bytes
// before it), parsed here from the packet format alone: heartbeat 0x00 is answered with 0x0C;
// the start message 0x1F (image size u32, block size u16, u16 0, image XOR) starts a transfer;
// blocks 0x20 (index u16, data) are asked for with report 0x36 '!' and the index; at the end
// report 0x36 '4' (image XOR right) or '5'. Each module has its block size: a start message
// with another one is answered with '5' at once.
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

class KBootLoader {
public:
    static constexpr quint8 kHeartbeat = 0x00;
    static constexpr quint8 kHeartbeatAnswer = 0x0C;
    static constexpr quint8 kStart = 0x1F;
    static constexpr quint8 kBlock = 0x20;
    static constexpr quint8 kReport = 0x36;

    explicit KBootLoader(int blockSize) : blockSize_(blockSize) {}
    int blockSize() const { return blockSize_; }

    // Fresh loader: no transfer under way, the statistics of a new session.
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
    int blockSize_;
    quint8 imageXor_ = 0;
    int next_ = 0;
    bool reRequested_ = false;
    LoaderStats stats_;
};

}  // namespace vboat

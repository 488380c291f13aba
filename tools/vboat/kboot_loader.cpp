#include "kboot_loader.h"

#include <algorithm>

namespace vboat {

namespace {
quint8 xorOf(const QByteArray& b, int count) {
    quint8 x = 0;
    for (int i = 0; i < count; ++i)
        x ^= quint8(b[i]);
    return x;
}
quint32 le(const QByteArray& b, int at, int n) {
    quint32 v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = v << 8 | quint8(b[at + i]);
    return v;
}
}  // namespace

QByteArray KBootLoader::encode(quint8 type, const QByteArray& data) {
    QByteArray p;
    p.append('#');
    p.append(char(data.size() & 0xFF));
    p.append(char(data.size() >> 8));
    p.append(char(type));
    p.append(data);
    p.append(char(xorOf(p, p.size())));
    return p;
}

bool KBootLoader::decode(const QByteArray& packet, quint8& type, QByteArray& data) {
    if (packet.size() < 5 || packet[0] != '#') return false;
    if (quint8(packet[packet.size() - 1]) != xorOf(packet, packet.size() - 1)) return false;
    const int n = int(le(packet, 1, 2));
    if (n != packet.size() - 5) return false;
    type = quint8(packet[3]);
    data = packet.mid(4, n);
    return true;
}

void KBootLoader::enter() {
    stats_ = LoaderStats();  // a new session: an earlier result must not end this one
    transferring_ = false;
    next_ = 0;
    reRequested_ = false;
}

void KBootLoader::setFault(LoaderFault fault, int stopAfterBlocks) {
    fault_ = fault;
    stopAfter_ = std::max(0, stopAfterBlocks);
}

QByteArray KBootLoader::request(int index) {
    QByteArray d;
    d.append('!');
    d.append(char(index & 0xFF));
    d.append(char(index >> 8));
    return encode(kReport, d);
}

QList<QByteArray> KBootLoader::onPacket(const QByteArray& packet) {
    quint8 type = 0;
    QByteArray data;
    if (fault_ == LoaderFault::NoAnswer || !decode(packet, type, data)) return {};
    const bool stalled = fault_ == LoaderFault::StopRequesting && stats_.blocksTaken >= stopAfter_;
    if (type == kHeartbeat) {
        ++stats_.heartbeatsAnswered;
        return {encode(kHeartbeatAnswer, QByteArray("\x40\x00", 2))};
    }
    if (type == kStart && data.size() >= 9) {
        ++stats_.startMessages;
        if (!transferring_ && int(le(data, 4, 2)) != blockSize_) {
            // Blocks of another size would be written at the wrong places.
            stats_.result = '5';
            return {encode(kReport, QByteArray(1, stats_.result))};
        }
        if (!transferring_) {
            size_ = le(data, 0, 4);
            imageXor_ = quint8(data[8]);
            transferring_ = true;
            next_ = 0;
            stats_.image.clear();
            stats_.result = 0;
        }
        if (stalled) return {};
        return {request(next_)};
    }
    if (type == kBlock && transferring_ && data.size() >= 2) {
        const int index = int(le(data, 0, 2));
        if (index != next_)
            return stalled ? QList<QByteArray>() : QList<QByteArray>{request(next_)};
        // Pretend the block arrived damaged now and then: ask for it again, once.
        if (reRequestEvery_ > 0 && !reRequested_ && (index + 1) % reRequestEvery_ == 0) {
            reRequested_ = true;
            ++stats_.reRequests;
            return {request(index)};
        }
        reRequested_ = false;
        const int total = int((size_ + quint32(blockSize_) - 1) / quint32(blockSize_));
        const int n = std::min(blockSize_, int(size_) - index * blockSize_);
        stats_.image.append(data.mid(2, n));
        ++stats_.blocksTaken;
        ++next_;
        if (next_ < total) {
            if (fault_ == LoaderFault::StopRequesting && stats_.blocksTaken >= stopAfter_)
                return {};
            return {request(next_)};
        }
        transferring_ = false;
        const bool good = fault_ != LoaderFault::ReportFailure &&
                          quint32(stats_.image.size()) == size_ &&
                          xorOf(stats_.image, stats_.image.size()) == imageXor_;
        stats_.result = good ? '4' : '5';
        return {encode(kReport, QByteArray(1, stats_.result))};
    }
    return {};
}

}  // namespace vboat

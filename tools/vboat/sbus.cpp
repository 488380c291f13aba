#include "sbus.h"

namespace vboat {

namespace {
const char kMagic[] = "#sbus";
constexpr int kMagicSize = 5;
// A buffer that grows beyond this without a packet is noise; keep only its tail.
constexpr int kMaxBuffered = 8192;
}  // namespace

quint8 xorBytes(const char* data, int count) {
    quint8 x = 0;
    for (int i = 0; i < count; ++i)
        x ^= static_cast<quint8>(data[i]);
    return x;
}

QByteArray buildPacket(quint8 type, quint8 index, const QByteArray& payload) {
    const int length = payload.size() > kMaxPayload ? 0 : payload.size();
    QByteArray packet(kMagic, kMagicSize);
    packet.append(static_cast<char>(type));
    packet.append(static_cast<char>(index));
    packet.append('\0');
    packet.append(static_cast<char>(length & 0xFF));
    packet.append(static_cast<char>((length >> 8) & 0xFF));
    packet.append(static_cast<char>(xorBytes(packet.constData() + 5, 5)));
    packet.append('*');
    packet.append(payload);
    return packet;
}

QByteArray shortCommand(quint8 command) {
    QByteArray payload;
    payload.append(static_cast<char>(command));
    payload.append(static_cast<char>(~command & 0xFF));
    return payload;
}

QByteArray reportCommand(quint8 command, const QByteArray& data) {
    QByteArray payload = shortCommand(command);
    payload.append(static_cast<char>(data.size() & 0xFF));
    payload.append(data);
    return payload;
}

void PacketReader::feed(const QByteArray& bytes) {
    buffer_.append(bytes);
    if (buffer_.size() > kMaxBuffered) {
        skipped_ += buffer_.size() - kMaxBuffered;
        buffer_.remove(0, buffer_.size() - kMaxBuffered);
    }
}

bool PacketReader::next(Packet& packet) {
    for (;;) {
        const int start = buffer_.indexOf(QByteArray(kMagic, kMagicSize));
        if (start < 0) {
            // Keep a possible beginning of the magic at the end.
            const int keep = qMin(buffer_.size(), kMagicSize - 1);
            skipped_ += buffer_.size() - keep;
            buffer_.remove(0, buffer_.size() - keep);
            return false;
        }
        if (start > 0) {
            skipped_ += start;
            buffer_.remove(0, start);
        }
        if (buffer_.size() < kHeaderSize) return false;
        const auto* h = reinterpret_cast<const quint8*>(buffer_.constData());
        const int length = h[8] | (h[9] << 8);
        if (h[11] != '*' || xorBytes(buffer_.constData() + 5, 6) != 0 || length == 0) {
            ++rejected_;
            ++skipped_;
            buffer_.remove(0, 1);
            continue;
        }
        if (buffer_.size() < kHeaderSize + length) return false;
        packet.type = h[5];
        packet.index = h[6];
        packet.payload = buffer_.mid(kHeaderSize, length);
        buffer_.remove(0, kHeaderSize + length);
        return true;
    }
}

void PacketReader::clear() {
    buffer_.clear();
}

}  // namespace vboat

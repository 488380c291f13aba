#include "link/history_log_reader.h"

#include <QFile>
#include <cstring>

namespace HistoryLogReader {

QVector<kvl_w> framesFromBytes(const QByteArray& log) {
    QVector<kvl_w> frames;
    if (log.size() <= kHeaderSize) return frames;
    const int count = (log.size() - kHeaderSize) / kvl_w::kSize;
    frames.reserve(count);
    const auto* p = reinterpret_cast<const uint8_t*>(log.constData()) + kHeaderSize;
    for (int i = 0; i < count; ++i, p += kvl_w::kSize) {
        if (!kvl_w::isValid(p, kvl_w::kSize)) continue;
        kvl_w f;
        std::memcpy(f.bytes, p, kvl_w::kSize);
        frames.append(f);
    }
    return frames;
}

// Reads the records in chunks straight into the list: an hour's log never sits in memory
// twice.
QVector<kvl_w> framesFromFile(const QString& fileName) {
    QFile f(fileName);
    if (!f.open(QIODevice::Unbuffered | QIODevice::ReadOnly)) return {};
    QVector<kvl_w> frames;
    if (f.size() <= kHeaderSize || !f.seek(kHeaderSize)) return frames;
    frames.reserve(int((f.size() - kHeaderSize) / kvl_w::kSize));
    constexpr int kChunkRecords = 256;
    QByteArray chunk(kChunkRecords * kvl_w::kSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = f.read(chunk.data(), chunk.size());
        if (got <= 0) break;
        const int count = int(got / kvl_w::kSize);
        const auto* p = reinterpret_cast<const uint8_t*>(chunk.constData());
        for (int i = 0; i < count; ++i, p += kvl_w::kSize) {
            if (!kvl_w::isValid(p, kvl_w::kSize)) continue;
            kvl_w frame;
            std::memcpy(frame.bytes, p, kvl_w::kSize);
            frames.append(frame);
        }
        if (got < chunk.size()) break;  // the end, or a tail shorter than a record
    }
    frames.squeeze();
    return frames;
}

}  // namespace HistoryLogReader

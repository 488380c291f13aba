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

QVector<kvl_w> framesFromFile(const QString& fileName) {
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return framesFromBytes(f.readAll());
}

}  // namespace HistoryLogReader

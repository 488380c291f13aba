#include "link/history_log_reader.h"

#include "base/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <limits>

namespace HistoryLogReader {

namespace {

// Takes records from bytes fed in pieces; what is left over waits for the next piece. Each
// record goes to the sink with its offset in the input.
class Scanner {
public:
    using Sink = std::function<void(qint64, const uint8_t*)>;
    Scanner(int maxFrames, Sink sink) : m_max(maxFrames), m_sink(std::move(sink)) {}

    void feed(const char* data, qint64 n) {
        m_pending.append(data, int(n));
        scan(false);
    }
    bool full() const { return m_count >= m_max; }
    // Once the last piece has been fed.
    int finish() {
        scan(true);
        return m_count;
    }

private:
    // last: no more bytes will come, so a bad record is judged on what there is.
    void scan(bool last) {
        const auto* base = reinterpret_cast<const uint8_t*>(m_pending.constData());
        int at = 0;
        while (m_pending.size() - at >= kvl_w::kSize && !full()) {
            if (isRecord(base + at)) {
                m_sink(m_base + at, base + at);
                ++m_count;
                at += kvl_w::kSize;
                continue;
            }
            // A damaged record in its place: the next one follows it. Judged once the next one
            // is here.
            const bool nextHere = m_pending.size() - at >= 2 * kvl_w::kSize;
            if (!nextHere && !last) break;
            if (nextHere && isRecord(base + at + kvl_w::kSize)) {
                at += kvl_w::kSize;
                continue;
            }
            // Bytes were lost or added: look for the next start of a record.
            const int next = m_pending.indexOf('#', at + 1);
            if (next < 0) {
                at = m_pending.size();
                break;
            }
            at = next;
        }
        m_pending.remove(0, at);
        m_base += at;
    }

    QByteArray m_pending;
    qint64 m_base = 0;
    int m_count = 0;
    int m_max;
    Sink m_sink;
};

Scanner::Sink appendTo(QVector<kvl_w>& frames) {
    return [&frames](qint64, const uint8_t* p) {
        kvl_w f;
        std::memcpy(f.bytes, p, kvl_w::kSize);
        frames.append(f);
    };
}

}  // namespace

bool isRecord(const uint8_t* p) {
    if (p[0] != '#' || !kvl_w::isValid(p, kvl_w::kSize)) return false;
    for (int i = kvl_w::kChecksumFrom; i < kvl_w::kSize; ++i) {
        if (p[i] != 0) return true;
    }
    return false;
}

QVector<kvl_w> framesFromBytes(const QByteArray& log, int maxFrames) {
    QVector<kvl_w> frames;
    frames.reserve(
        int(std::clamp<qint64>((log.size() - kHeaderSize) / kvl_w::kSize, 0, maxFrames)));
    Scanner scanner(maxFrames, appendTo(frames));
    if (log.size() > kHeaderSize)
        scanner.feed(log.constData() + kHeaderSize, log.size() - kHeaderSize);
    scanner.finish();
    return frames;
}

StructScanResult scanFile(const QString& fileName, int maxFrames, qint64 maxBytes,
                          const std::function<void(qint64, const uint8_t*)>& take) {
    StructScanResult r;
    if (!isRegularFile(fileName)) return r;
    QFile f(fileName);
    if (!f.open(QIODevice::Unbuffered | QIODevice::ReadOnly) || !f.seek(kHeaderSize)) return r;
    r.opened = true;
    Scanner scanner(maxFrames, [&take](qint64 at, const uint8_t* p) { take(kHeaderSize + at, p); });
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    qint64 read = 0;
    while (!scanner.full() && read < maxBytes) {
        const qint64 got = f.read(chunk.data(), std::min<qint64>(chunk.size(), maxBytes - read));
        if (got <= 0) break;
        read += got;
        scanner.feed(chunk.constData(), got);
    }
    r.records = scanner.finish();
    r.complete = f.atEnd() && !scanner.full();
    return r;
}

// Reads the file in pieces straight into the list, reserved once for what the file can hold up
// to the bound: an hour's log never sits in memory twice, a huge one takes no more than the
// bound.
QVector<kvl_w> framesFromFile(const QString& fileName, int maxFrames) {
    QVector<kvl_w> frames;
    const qint64 size = QFileInfo(fileName).size();
    frames.reserve(int(std::clamp<qint64>((size - kHeaderSize) / kvl_w::kSize, 0, maxFrames)));
    scanFile(fileName, maxFrames, std::numeric_limits<qint64>::max(), appendTo(frames));
    frames.squeeze();
    return frames;
}

}  // namespace HistoryLogReader

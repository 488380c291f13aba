#include "link/history_log_reader.h"

#include "base/regular_file.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace HistoryLogReader {

namespace {

// Takes records from bytes fed in pieces; what is left over waits for the next piece.
class Scanner {
public:
    // expected: how many records the input can hold at most, for one allocation up front.
    Scanner(int maxFrames, qint64 expected) : m_max(maxFrames) {
        m_frames.reserve(int(std::min<qint64>(std::max<qint64>(expected, 0), maxFrames)));
    }

    void feed(const char* data, qint64 n) {
        m_pending.append(data, int(n));
        scan(false);
    }
    bool full() const { return m_frames.size() >= m_max; }
    // The frames, once the last piece has been fed.
    QVector<kvl_w> take() {
        scan(true);
        m_frames.squeeze();
        return std::move(m_frames);
    }

private:
    // last: no more bytes will come, so a bad record is judged on what there is.
    void scan(bool last) {
        const auto* base = reinterpret_cast<const uint8_t*>(m_pending.constData());
        int at = 0;
        while (m_pending.size() - at >= kvl_w::kSize && !full()) {
            if (isRecord(base + at)) {
                kvl_w f;
                std::memcpy(f.bytes, base + at, kvl_w::kSize);
                m_frames.append(f);
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
    }

    QByteArray m_pending;
    QVector<kvl_w> m_frames;
    int m_max;
};

}  // namespace

bool isRecord(const uint8_t* p) {
    if (p[0] != '#' || !kvl_w::isValid(p, kvl_w::kSize)) return false;
    for (int i = kvl_w::kChecksumFrom; i < kvl_w::kSize; ++i) {
        if (p[i] != 0) return true;
    }
    return false;
}

QVector<kvl_w> framesFromBytes(const QByteArray& log, int maxFrames) {
    Scanner scanner(maxFrames, (log.size() - kHeaderSize) / kvl_w::kSize);
    if (log.size() > kHeaderSize)
        scanner.feed(log.constData() + kHeaderSize, log.size() - kHeaderSize);
    return scanner.take();
}

// Reads the file in pieces straight into the list, reserved once for what the file can hold up
// to the bound: an hour's log never sits in memory twice, a huge one takes no more than the
// bound.
QVector<kvl_w> framesFromFile(const QString& fileName, int maxFrames) {
    if (!isRegularFile(fileName)) return {};
    QFile f(fileName);
    if (!f.open(QIODevice::Unbuffered | QIODevice::ReadOnly) || !f.seek(kHeaderSize)) return {};
    Scanner scanner(maxFrames, (f.size() - kHeaderSize) / kvl_w::kSize);
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    while (!scanner.full()) {
        const qint64 got = f.read(chunk.data(), chunk.size());
        if (got <= 0) break;
        scanner.feed(chunk.constData(), got);
    }
    return scanner.take();
}

}  // namespace HistoryLogReader

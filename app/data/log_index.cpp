#include "data/log_index.h"

#include "data/kvlw_time.h"
#include "link/history_log_reader.h"
#include "link/sonar_frame_values.h"

#include <QDateTime>
#include <algorithm>
#include <cstring>

namespace {

// Seconds since 2000 of a frame's GPS time; -1 when the frame has none.
qint64 gpsSeconds(uint32_t word) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(word);
    const QDate date(t.year, t.month, t.day);
    const QTime time(t.hour, t.minute, t.second);
    if (word == 0 || !date.isValid() || !time.isValid()) return -1;
    return QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
}

}  // namespace

EnumLogOpen LogIndex::open(const QString& fileName, int maxFrames) {
    close();
    qint64 lastGps = -1;
    float seconds = 0;
    const auto take = [&](qint64 offset, const uint8_t* p) {
        kvl_w f;
        std::memcpy(f.bytes, p, kvl_w::kSize);
        const StructSonarFrameFields v = SonarFrameValues::fields(f);
        const qint64 gps = gpsSeconds(v.utc);
        if (!m_entries.isEmpty()) {
            const qint64 step = gps >= 0 && lastGps >= 0 ? gps - lastGps : -1;
            seconds += step >= 0 && step <= kLongestGapSeconds ? float(step) : kFrameSeconds;
        }
        if (gps >= 0) lastGps = gps;
        m_entries.append({offset, seconds, v.latitudeDm, v.longitudeDm, v.depthCm});
    };
    const HistoryLogReader::StructScanResult scan =
        HistoryLogReader::scanFile(fileName, maxFrames, kMaxScanBytes, take);
    if (!scan.opened) return EnumLogOpen::Unreadable;
    if (m_entries.isEmpty()) return EnumLogOpen::NoRecords;
    m_entries.squeeze();
    m_file = std::make_unique<QFile>(fileName);
    if (!m_file->open(QIODevice::ReadOnly)) {
        close();
        return EnumLogOpen::Unreadable;
    }
    return scan.complete ? EnumLogOpen::Ok : EnumLogOpen::Cut;
}

void LogIndex::close() {
    m_entries.clear();
    m_entries.squeeze();
    m_file.reset();
}

int LogIndex::indexAt(float seconds) const {
    const auto it =
        std::lower_bound(m_entries.cbegin(), m_entries.cend(), seconds,
                         [](const StructLogEntry& e, float s) { return e.seconds < s; });
    return std::min(int(it - m_entries.cbegin()), count() - 1);
}

int LogIndex::indexAfterSkip(int from, float seconds) const {
    if (!isOpen()) return 0;
    from = std::clamp(from, 0, count() - 1);
    const float to = std::clamp(entry(from).seconds + seconds, 0.0f, totalSeconds());
    const int i = indexAt(to);
    return seconds > 0 && i <= from ? std::min(from + 1, count() - 1) : i;
}

int LogIndex::indexAtPercent(int percent) const {
    return int(qint64(std::clamp(percent, 0, 100)) * std::max(0, count() - 1) / 100);
}

kvl_w LogIndex::frame(int i) const {
    const QVector<kvl_w> one = frames(i, 1);
    return one.first();
}

QVector<kvl_w> LogIndex::frames(int from, int n) const {
    QVector<kvl_w> out(std::max(0, n), kvl_w::zero());
    int i = std::max(0, from);
    const int end = std::min(from + n, count());
    while (m_file && i < end) {
        // The run of records that lie one after the other from record i.
        int run = 1;
        while (i + run < end &&
               m_entries[i + run].offset == m_entries[i].offset + qint64(run) * kvl_w::kSize)
            ++run;
        if (!m_file->seek(m_entries[i].offset)) break;
        const qint64 bytes = qint64(run) * kvl_w::kSize;
        const qint64 got = m_file->read(reinterpret_cast<char*>(out[i - from].bytes), bytes);
        // The file changed under the index: what cannot be read stays zero, and a record read
        // whole but no longer valid is not shown either.
        for (int k = 0; k < run; ++k) {
            kvl_w& f = out[i - from + k];
            if (got < qint64(k + 1) * kvl_w::kSize || !HistoryLogReader::isRecord(f.bytes))
                f = kvl_w::zero();
        }
        i += run;
    }
    return out;
}

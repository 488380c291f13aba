#pragma once

#include "link/kvl_frame.h"

#include <QFile>
#include <QString>
#include <QVector>
#include <memory>

// How opening a sonar log for replay went.
enum class EnumLogOpen {
    Ok,
    Unreadable,  // not a regular file, or it cannot be read
    NoRecords,   // read, but not one record in it
    Cut,         // longer than the bound: only its first kMaxFrames records are played
};

// One record of a log: where it starts in the file, its time from the log's start and its fix.
struct StructLogEntry {
    qint64 offset = 0;
    float seconds = 0;  // from the first record, never going back
    qint32 latitudeDm = 0;
    qint32 longitudeDm = 0;
    quint16 depthCm = 0;
};

// The records of a sonar log, found once when it is opened, so that any of them is read at
// once from the file without going through the ones before it. Damaged records are left out
// as the log reader leaves them out. The file stays open while the index is kept.
class LogIndex {
public:
    static constexpr int kMaxFrames = 100000;  // about 3.5 hours at 8 a second, 2.4 MB of index
    // Bytes looked through past the header at most, so a huge file of damage ends the scan too.
    static constexpr qint64 kMaxScanBytes = qint64(kMaxFrames) * kvl_w::kSize * 3 / 2;
    // A step between two GPS times counted as time passing; a longer one (a stop in the
    // recording, a clock that jumped) counts as one frame's time.
    static constexpr int kLongestGapSeconds = 60;
    static constexpr float kFrameSeconds = 0.125f;

    EnumLogOpen open(const QString& fileName, int maxFrames = kMaxFrames);
    void close();

    bool isOpen() const { return !m_entries.isEmpty(); }
    int count() const { return m_entries.size(); }
    const StructLogEntry& entry(int i) const { return m_entries.at(i); }
    float totalSeconds() const { return isOpen() ? m_entries.last().seconds : 0; }
    // The first record at or after seconds from the start (the last when none).
    int indexAt(float seconds) const;
    // Where a skip of seconds from record `from` lands: back, on the first record of that
    // second; on, never on `from` itself.
    int indexAfterSkip(int from, float seconds) const;
    // The record percent of the way through (0..100).
    int indexAtPercent(int percent) const;
    // Record i read from the file; the zero frame when i is outside or the read fails.
    kvl_w frame(int i) const;
    // Records from..from+n-1 in order, read in one piece where they lie next to each other;
    // the zero frame for those outside the log.
    QVector<kvl_w> frames(int from, int n) const;
    qint64 indexBytes() const { return qint64(m_entries.capacity()) * sizeof(StructLogEntry); }

private:
    QVector<StructLogEntry> m_entries;
    std::unique_ptr<QFile> m_file;
};

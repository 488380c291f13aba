#pragma once

#include "link/kvl_frame.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <functional>

// Reads the frames of a sonar history log: a 64-byte header, then 276-byte records. A record
// is taken when it starts with '#', its checksum holds and it is not all zeros (a sparse or
// zeroed file passes the checksum otherwise). A damaged record is skipped; when bytes were lost
// or added the reader finds the next record that passes the checks and goes on from there, so
// one bad spot costs only the records it touches. A short tail (a log cut by a power loss) is
// ignored. At most kMaxFrames are kept: a huge file cannot exhaust memory.
namespace HistoryLogReader {

constexpr int kHeaderSize = 64;
constexpr int kMaxFrames = 100000;  // about 4.6 hours at 6 frames a second, 27.6 MB

// Whether the 276 bytes at p make a record the reader takes.
bool isRecord(const uint8_t* p);

QVector<kvl_w> framesFromBytes(const QByteArray& log, int maxFrames = kMaxFrames);
struct StructScanResult {
    bool opened = false;    // a regular file that could be read
    int records = 0;        // records handed over
    bool complete = false;  // the whole file was read: no bound cut it short
};
// Hands each record of the file to take, with its offset in the file, oldest first; stops after
// maxFrames records or maxBytes bytes read past the header.
StructScanResult scanFile(const QString& fileName, int maxFrames, qint64 maxBytes,
                          const std::function<void(qint64, const uint8_t*)>& take);

// An empty list when the file is not a regular file or cannot be opened.
QVector<kvl_w> framesFromFile(const QString& fileName, int maxFrames = kMaxFrames);

}  // namespace HistoryLogReader

#pragma once

#include "link/kvl_frame.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Reads the frames of a sonar history log: a 64-byte header, then 276-byte records. A short
// tail (a log cut by a power loss) is ignored, and so is every record whose checksum fails.
namespace HistoryLogReader {

constexpr int kHeaderSize = 64;

QVector<kvl_w> framesFromBytes(const QByteArray& log);
// An empty list when the file cannot be opened.
QVector<kvl_w> framesFromFile(const QString& fileName);

}  // namespace HistoryLogReader

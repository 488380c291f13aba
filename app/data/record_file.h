#pragma once

#include <QString>

// Sonar log files: a 64-byte header of '*', then the 276-byte frames the reading thread
// appends.
namespace RecordFile {

constexpr int kHeaderSize = 64;

// Creates path with its header. False when it cannot be opened or the header does not go
// out whole (card full or pulled); a partial file is then removed.
bool create(const QString& path);

}  // namespace RecordFile

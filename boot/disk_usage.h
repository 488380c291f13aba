#pragma once

#include <QString>

// Sizes for the progress display, in hundreds of kilobytes as the handset has always shown
// them (megabytes with one decimal).
namespace DiskUsage {

// Kilobytes a file or a directory tree takes, each file rounded up to a whole kilobyte.
qint64 kilobytes(const QString& path);
// Kilobytes without their last two digits.
int hundredsOfKb(qint64 kilobytes);
// Hundreds of kilobytes as megabytes with one decimal: 23 gives "2.3".
QString megabytes(int hundreds);

}  // namespace DiskUsage

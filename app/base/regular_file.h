#pragma once

#include <QFileInfo>
#include <QString>

// Only regular files are opened for reading: a FIFO, a device or a socket left where a settings
// file, a table or a log belongs would block the open or the read for ever.
inline bool isRegularFile(const QString& path) {
    return QFileInfo(path).isFile();
}

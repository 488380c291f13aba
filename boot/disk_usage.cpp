#include "disk_usage.h"

#include <QDirIterator>
#include <QFileInfo>

namespace {

qint64 fileKb(qint64 bytes) {
    return (bytes + 1023) / 1024;
}

}  // namespace

namespace DiskUsage {

qint64 kilobytes(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir()) return info.exists() ? fileKb(info.size()) : 0;
    qint64 total = 0;
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += fileKb(it.fileInfo().size());
    }
    return total;
}

int hundredsOfKb(qint64 kilobytes) {
    return int(kilobytes / 100);
}

QString megabytes(int hundreds) {
    return QStringLiteral("%1.%2").arg(hundreds / 10).arg(hundreds % 10);
}

}  // namespace DiskUsage

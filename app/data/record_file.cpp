#include "data/record_file.h"

#include <QFile>

namespace RecordFile {

bool create(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    const QByteArray header(kHeaderSize, '*');
    const bool ok = f.write(header) == kHeaderSize && f.flush();
    f.close();
    if (!ok || f.error() != QFileDevice::NoError) {
        QFile::remove(path);
        return false;
    }
    return true;
}

}  // namespace RecordFile

#include "base/file_aside.h"

#include <QFile>
#include <QFileInfo>

QString FileAside::keep(const QString& path) {
    if (!QFileInfo::exists(path)) return QString();
    QString aside = path + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(aside) && n < 1000; ++n)
        aside = path + QStringLiteral(".damaged-") + QString::number(n);
    return QFile::rename(path, aside) ? aside : QString();
}

#include "package_files.h"

#include "boot_paths.h"
#include "my_system.h"

#include <QDir>
#include <QFile>
#include <QtDebug>

namespace {

// Moves from over to, as mv does: an existing destination is replaced.
bool moveOver(const QString& from, const QString& to) {
    if (QFile::exists(to) && !QFile::remove(to)) return false;
    return QFile::rename(from, to);
}

}  // namespace

namespace PackageFiles {

QStringList list(const QString& dir, const QString& filter) {
    // Case-sensitive, so the filter means what it says; hidden files stay hidden as with ls.
    return QDir(dir).entryList({filter}, QDir::Files | QDir::CaseSensitive, QDir::Name);
}

int extractRecord(const QString& package) {
    QFile::remove(QLatin1String(BootPaths::kNewRecord));
    return my_system(QStringLiteral("tar"),
                     {QStringLiteral("-xvf"), package, QLatin1String(BootPaths::kNewRecord)});
}

bool isComplete(const QString& package) {
    constexpr qint64 kBlock = 512;
    QFile f(package);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray header = f.read(kBlock);
    if (header.mid(257, 5) != "ustar") return true;
    const qint64 size = f.size();
    if (size % kBlock != 0 || size < 3 * kBlock || !f.seek(size - 2 * kBlock)) return false;
    return f.read(2 * kBlock) == QByteArray(2 * kBlock, '\0');
}

void restoreBundle() {
    const QString saved = BootPaths::path(BootPaths::kBundleSaved);
    if (!QFile::exists(saved)) return;
    if (!moveOver(saved, BootPaths::path(BootPaths::kBundle)))
        qWarning("cannot move %s back", qPrintable(saved));
    my_system(QStringLiteral("sync"));
}

bool retire(const QString& package) {
    if (BootPaths::exists(BootPaths::kNoRename)) return true;
    const bool moved = moveOver(package, BootPaths::path(BootPaths::kUsedPackage));
    if (!moved) qWarning("cannot rename %s to backup.kub", qPrintable(package));
    my_system(QStringLiteral("sync"));
    return moved;
}

}  // namespace PackageFiles

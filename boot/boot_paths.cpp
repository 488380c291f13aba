#include "boot_paths.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString g_root;

}  // namespace

namespace BootPaths {

QString root() {
    return g_root;
}

void setRoot(const QString& dir) {
    // Absolute, so a path handed to tar never depends on the working directory or starts
    // with '-'.
    g_root = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
    while (g_root.endsWith('/'))
        g_root.chop(1);
}

QString path(const QString& absolute) {
    if (!absolute.startsWith('/')) return absolute;
    return g_root + absolute;
}

bool exists(const QString& absolute) {
    return QFileInfo::exists(path(absolute));
}

}  // namespace BootPaths

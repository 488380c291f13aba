#include "boot_paths.h"

#include <QFileInfo>

namespace {

QString g_root;

}  // namespace

namespace BootPaths {

QString root() {
    return g_root;
}

void setRoot(const QString& dir) {
    g_root = dir;
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

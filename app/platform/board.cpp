#include "platform/board.h"

#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>

namespace Board {

void prepareVirtual() {
    if (!Platform::isVirtual() || Platform::root().isEmpty()) return;
    for (const char* file : {kBacklight, kBeeper})
        QDir().mkpath(QFileInfo(Platform::path(QLatin1String(file))).absolutePath());
    QDir().mkpath(Platform::path(QLatin1String(kSdMountPoint)));
}

}  // namespace Board

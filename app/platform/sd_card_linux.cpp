#include "platform/sd_card_linux.h"

#include "core/global.h"
#include "platform/board.h"

int SdCardLinux::mount() {
    return Global::my_system(QStringLiteral("mount ") + QLatin1String(Board::kSdNode) +
                             QLatin1Char(' ') + QLatin1String(Board::kSdMountPoint));
}

int SdCardLinux::unmount() {
    return Global::my_system(QStringLiteral("umount ") + QLatin1String(Board::kSdMountPoint));
}

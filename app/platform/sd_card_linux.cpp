#include "platform/sd_card_linux.h"

#include "platform/board.h"
#include "platform/shell.h"

int SdCardLinux::mount() {
    return Global::my_system_args(QStringLiteral("mount"), {QLatin1String(Board::kSdNode),
                                                            QLatin1String(Board::kSdMountPoint)});
}

int SdCardLinux::unmount() {
    return Global::my_system_args(QStringLiteral("umount"), {QLatin1String(Board::kSdMountPoint)});
}

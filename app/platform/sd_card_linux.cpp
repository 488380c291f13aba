#include "platform/sd_card_linux.h"

#include "platform/board.h"
#include "platform/platform.h"
#include "platform/shell.h"

#include <QFile>
#include <QList>

int SdCardLinux::mount() {
    return Global::my_system_args(QStringLiteral("mount"), {QLatin1String(Board::kSdNode),
                                                            QLatin1String(Board::kSdMountPoint)});
}

int SdCardLinux::unmount() {
    return Global::my_system_args(QStringLiteral("umount"), {QLatin1String(Board::kSdMountPoint)});
}

QByteArray SdCardLinux::mountOptions() const {
    QFile mounts(Platform::path(QStringLiteral("/proc/mounts")));
    if (!mounts.open(QIODevice::ReadOnly)) return QByteArray();
    // "device mountpoint type options dump pass", one mount per line.
    const QByteArray point = Platform::pathBytes(QLatin1String(Board::kSdMountPoint));
    for (const QByteArray& line : mounts.read(1 << 20).split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() >= 4 && f[1] == point) return f[3];
    }
    return QByteArray();
}

bool SdCardLinux::isMounted() const {
    return !mountOptions().isEmpty();
}

bool SdCardLinux::isReadOnly() const {
    return mountOptions().split(',').contains("ro");
}

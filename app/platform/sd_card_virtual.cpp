#include "platform/sd_card_virtual.h"

#include "platform/board.h"
#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {
// The status a failed mount or umount command gives (exit code 32, as a wait status).
constexpr int kFailed = 32 << 8;

QString mountPoint() {
    return Platform::path(QLatin1String(Board::kSdMountPoint));
}
}  // namespace

int SdCardVirtual::mount() {
    const QString node = Platform::path(QLatin1String(Board::kSdNode));
    const QString point = mountPoint();
    const QFileInfo nodeInfo(node);
    if (!nodeInfo.exists()) {
        printf("mount: %s: special device does not exist\n", Board::kSdNode);
        return kFailed;
    }
    if (!nodeInfo.isDir()) return QDir().mkpath(point) ? 0 : kFailed;

    const QFileInfo pointInfo(point);
    if (pointInfo.isSymLink()) {
        QFile::remove(point);
    } else if (pointInfo.isDir()) {
        // Only an empty mount point can take the card, as on the handset's flash.
        if (!QDir().rmdir(point)) {
            printf("mount: %s: mount point is busy\n", Board::kSdMountPoint);
            return kFailed;
        }
    }
    QDir().mkpath(QFileInfo(point).absolutePath());
    if (!QFile::link(nodeInfo.absoluteFilePath(), point)) {
        printf("mount: %s: cannot mount\n", Board::kSdMountPoint);
        return kFailed;
    }
    return 0;
}

int SdCardVirtual::unmount() {
    const QString point = mountPoint();
    if (!QFileInfo(point).isSymLink()) {
        printf("umount: %s: not mounted\n", Board::kSdMountPoint);
        return kFailed;
    }
    QFile::remove(point);
    QDir().mkpath(point);
    return 0;
}

bool SdCardVirtual::isMounted() const {
    const QFileInfo node(Platform::path(QLatin1String(Board::kSdNode)));
    if (!node.exists()) return false;
    if (!node.isDir()) return QFileInfo(mountPoint()).isDir();
    const QFileInfo point(mountPoint());
    return point.isSymLink() && point.symLinkTarget() == node.absoluteFilePath();
}

// The permission bits, not access(): a test running as root may write anywhere.
bool SdCardVirtual::isReadOnly() const {
    const QFileInfo node(Platform::path(QLatin1String(Board::kSdNode)));
    return node.isDir() && !(node.permissions() & QFileDevice::WriteOwner);
}

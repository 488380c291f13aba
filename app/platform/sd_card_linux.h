#pragma once

#include "platform/sd_card.h"

#include <QByteArray>

// The board's slot: "mount /dev/mmcblk0p1 /mnt/sd" and "umount /mnt/sd" through the shell
// runner; what is mounted, and how, is read from the kernel's mount table.
class SdCardLinux : public SdCard {
public:
    int mount() override;
    int unmount() override;
    bool isMounted() const override;
    bool isReadOnly() const override;

private:
    // The options of the mount at the mount point ("rw,relatime,..."); empty when none.
    QByteArray mountOptions() const;
};

#pragma once

#include "platform/sd_card.h"

// The board's slot: "mount /dev/mmcblk0p1 /mnt/sd" and "umount /mnt/sd" through the shell
// runner.
class SdCardLinux : public SdCard {
public:
    int mount() override;
    int unmount() override;
};

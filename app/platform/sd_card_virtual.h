#pragma once

#include "platform/sd_card.h"

// The slot of a development machine. A card is inserted by creating the device node
// <root>/dev/mmcblk0p1 and removed by deleting it. When the node is a directory it holds the
// card's files: mounting makes <root>/mnt/sd a symbolic link to it, unmounting puts the empty
// mount-point directory back. When the node is a plain file, mounting only makes sure the
// mount point exists. Nothing is ever mounted for real. A card whose node has no write
// permission for its owner (chmod a-w) stands for a write-protected card.
class SdCardVirtual : public SdCard {
public:
    int mount() override;
    int unmount() override;
    bool isMounted() const override;
    bool isReadOnly() const override;
};

#pragma once

#include <functional>
#include <memory>

// The SD-card slot: the card's device node "/dev/mmcblk0p1" and its mount point "/mnt/sd".
// The mount thread polls present() and mounts and unmounts through this interface.
class SdCard {
public:
    virtual ~SdCard() = default;

    // Whether the card's device node exists (a card is in the slot).
    virtual bool present() const;
    // Mounts the card at the mount point; the command's status (0 on success).
    virtual int mount() = 0;
    // Unmounts the mount point; the command's status (0 on success).
    virtual int unmount() = 0;
    // Whether the card is mounted at the mount point (also when the system mounted it first).
    virtual bool isMounted() const = 0;
    // Whether the mounted card takes no writes (its write-protect switch).
    virtual bool isReadOnly() const = 0;

    // The backend of the platform, unless a test has installed its own factory.
    static std::unique_ptr<SdCard> create();
    using Factory = std::function<std::unique_ptr<SdCard>()>;
    static void setFactory(Factory factory);
};

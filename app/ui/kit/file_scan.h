#pragma once

#include <QString>
#include <QStringList>

// Lists the files of a handset folder that match a name pattern, for the file dialog.
namespace FileScan {

enum class EnumStatus {
    Listed,    // the folder was read (the list may be empty)
    NoCard,    // the folder is on the SD card and no card is mounted
    NoFolder,  // the folder does not exist
};

struct StructResult {
    EnumStatus status = EnumStatus::NoFolder;
    QStringList names;  // file names only, sorted, case-insensitive order
};

// True when the handset folder lies on the SD card ("/mnt/sd/...").
bool isOnCard(const QString& folder);
// The card counts as mounted when its mount point holds anything: an unmounted mount point is
// an empty directory, and a mounted card gets its program folders at once.
bool cardMounted();

// Reads the handset folder (mapped under the root) for plain files matching pattern: one or
// more wildcards separated by spaces or semicolons, compared without regard to case because
// cards written on other machines often carry upper-case names. cardPresent says whether the
// SD card is mounted; it matters only for folders on the card.
StructResult scan(const QString& folder, const QString& pattern, bool cardPresent);

}  // namespace FileScan

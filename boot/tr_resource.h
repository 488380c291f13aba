#pragma once

#include <QString>

// The update program's own texts, in English: it never selects another language.
enum class EnumText {
    Yes,
    No,
    FirmwareUpdate,
    CurrentFirmware,
    NewFirmware,
    ConfirmToUpdate,
    NewFirmwareUpdating,
    DoNotPowerOff,
    UpdateSuccessful,
    UpdateCancelled,
    SelectFile,
    UpdateFailed,
    OldFirmwareKept,
    PackageUnreadable,
    PackageIncomplete,
    NotAnUpdatePackage,
    ExtractionFailed,
    ExtractionTimedOut,
    CannotReplaceApplication,
};

namespace TrResource {

QString getTrString(EnumText text);

}  // namespace TrResource

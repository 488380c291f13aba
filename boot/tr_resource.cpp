#include "tr_resource.h"

#include <iterator>

namespace {

// In the order of EnumText.
const char* const kEnglish[] = {
    "Yes",
    "No",
    "Firmware Update",
    "Current Firmware ",
    "New Firmware ",
    "Confirm to update",
    "New Firmware Updating",
    "Warning: Do Not Power Off",
    "Firmware Update Successfully",
    "Firmware Update Cancelled",
    "Select File",
    "Firmware Update Failed",
    "Old Firmware Kept",
    "Package cannot be read",
    "Package is incomplete",
    "Not an update package",
    "Extraction failed",
    "Extraction timed out",
    "Cannot replace the application",
};

static_assert(std::size(kEnglish) == size_t(EnumText::CannotReplaceApplication) + 1,
              "one English text for each EnumText");

}  // namespace

namespace TrResource {

QString getTrString(EnumText text) {
    return QString::fromLatin1(kEnglish[int(text)]);
}

}  // namespace TrResource

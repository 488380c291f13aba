#pragma once

#include <QString>

// A version record (readme.kvc): the application's version text and the second product
// variant's part of it.
struct StructVersion {
    QString version;  // "Info/VERSION"; its leading characters form a decimal number
    QString variant;  // "Info/VERSIONSablo"
};

// What the comparison of the installed and the offered version asks for.
enum class EnumOffer { Skip, FocusYes, FocusNo };

namespace VersionRecord {

// The record in file; empty texts for a missing file or key.
StructVersion read(const QString& file);
// The unit is the second variant when its installed record names a variant version.
bool isSecondVariant(const StructVersion& installed);
// The text shown and compared: the second variant has its variant version inserted at 4.
QString text(const StructVersion& v, bool secondVariant);
// Newer: "Yes"; older: "No"; equal numbers: the longer text counts as older; equal texts are
// skipped unless forced.
EnumOffer compare(const QString& current, const QString& offered, bool secondVariant, bool force);

}  // namespace VersionRecord

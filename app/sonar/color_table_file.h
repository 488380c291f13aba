#pragma once

#include <QString>

// A user colour table (".kct"): an INI file with "needReload" (true for the palettes to be
// taken), "background" (0..2, or 3 to keep the current one) and the groups "surface", "fish"
// and "bottom", keys "0" to "254", each an RGB565 colour as a decimal integer.
namespace ColorTableFile {

constexpr int kKeepBackground = 3;
constexpr int kEntries = 255;

// Reads the three user palettes from the file when its "needReload" is true. Returns true
// when the palettes were taken; otherwise (no reload asked, an entry missing or unreadable, not
// a regular file) they keep their values.
bool loadUserPalettes(const QString& fileName);

// Whether the file is a table that can be taken: a regular settings file whose palettes, when
// it asks for a reload, are all there.
bool isUsable(const QString& fileName);

// The file's "background", or -1 when it has none.
int background(const QString& fileName);

}  // namespace ColorTableFile

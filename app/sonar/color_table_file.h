#pragma once

#include <QString>

// A user colour table (".kct"): an INI file with "needReload" (true for the palettes to be
// taken), "background" (0..2, or 3 to keep the current one) and the groups "surface", "fish"
// and "bottom", keys "0" to "254", each an RGB565 colour as a decimal integer.
namespace ColorTableFile {

constexpr int kKeepBackground = 3;
constexpr int kEntries = 255;

// Reads the three user palettes from the file when its "needReload" is true (a missing key
// gives 0). Returns true when the palettes were taken; otherwise they keep their values.
bool loadUserPalettes(const QString& fileName);

// The file's "background", or -1 when it has none.
int background(const QString& fileName);

}  // namespace ColorTableFile

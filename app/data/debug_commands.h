#pragma once

#include <QStringList>

namespace DebugCommands {

// The test commands of a file, one per line. A command is one radio packet, so a line is cut
// at what a packet carries, and a file of megabytes is read no further than a list could
// ever be used; a missing file or one that is not a regular file gives none.
QStringList read(const QString& path);

}  // namespace DebugCommands

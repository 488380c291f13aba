#pragma once

#include <QString>
#include <QStringList>

// The update packages on the card and what is done with them around an installation.
namespace PackageFiles {

// The names of the files in dir that match filter (sorted): with "*.kup", "backup.kub" or
// "kup-notes.txt" are not packages.
QStringList list(const QString& dir, const QString& filter = QStringLiteral("*.kup"));
// Extracts the package's version record into the working directory, after removing an old
// one so that a package without a record never shows the previous package's version.
// Returns tar's exit status.
int extractRecord(const QString& package);
// Whether a plain tar package ends with tar's end-of-archive marker (two zero blocks). tar
// itself takes an archive cut off between two members as complete; a compressed package is
// left to its decompressor's own check (true).
bool isComplete(const QString& package);
// With norename.txt: the saved firmware bundle goes back over the bundle file.
void restoreBundle();
// After a successful installation: the package becomes backup.kub (replacing an older
// one) so that it is not offered again; kept as it is with norename.txt.
bool retire(const QString& package);

}  // namespace PackageFiles

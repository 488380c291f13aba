#pragma once

#include <QString>

// A damaged file is kept under a name of its own, next to it ("name.damaged", then
// "name.damaged-2" ...), so that nothing of it is lost and it is never read again.
namespace FileAside {
// The name it now has; empty when it could not be moved (or there was no file).
QString keep(const QString& path);
}  // namespace FileAside

#pragma once

#include <QByteArray>
#include <QString>

// Whether the settings class may open a small INI file: it decodes every serialised value it
// reads ("@Variant(...)"), so a file of a few hundred kilobytes could unpack into a huge
// image. The application writes one such form only, a float; a file holding any other, one
// larger than a settings file ever is, or something that is not a regular file (a FIFO would
// block the read for ever) is not opened.
namespace SettingsCheck {

constexpr qint64 kMaxBytes = 2 << 20;

// False, with the reason, for a file that must not be opened. A missing file is fine.
bool isSafe(const QString& file, QString* why = nullptr);
// The same on the file's bytes: no serialised value but the float form.
bool holdsOnlyPlainValues(const QByteArray& data);

}  // namespace SettingsCheck

#pragma once

#include <QString>

// The application's configuration file changed its values between the first and the second
// generation; the update converts it in place so the new application reads the user's settings.
namespace ConfigMigration {

// From a version beginning with "1" or "N" to one beginning with "2".
bool isNeeded(const QString& currentVersion, const QString& newVersion);
// Converts the file in place. A missing file is left missing (true); a file that cannot be
// read or written is left as it was (false, with a message).
bool migrate(const QString& file);

}  // namespace ConfigMigration

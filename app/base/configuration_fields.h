#pragma once

#include "base/configuration.h"

#include <QString>
#include <QStringList>

// The configuration record's fields by their names ("dataExport", "sonarSensitivity"; the
// info panels as "textDataToShow_0" .. "textDataToShow_5"), for setting one from outside the
// menus, as a menu would: the field alone changes, and what follows from it happens at the
// next supervision pass; nothing is saved.
namespace ConfigurationFields {

QStringList names();
// Sets the field to the number in value. False, leaving cfg alone, for an unknown name, a
// text that is not a number (a whole number for an integer field), or a value outside what
// the menus offer for the field.
bool set(StructConfiguration& cfg, const QString& name, const QString& value);

}  // namespace ConfigurationFields

#pragma once

#include "data/struct_multi_target.h"

#include <QString>
#include <QVector>

// The multi-target file, an INI settings file: row r (0 to 4) under the prefix "000" to "004"
// with the seven keys of a waypoint and "delay" (decimal seconds as text). A row missing from
// the file is empty with delay 0.
namespace MultiTargetFile {

constexpr const char* kPath = "/opt/multitarget.kmt";
constexpr int kRows = 5;

// The five rows of the file at path (a real path).
QVector<StructMultiTarget> read(const QString& path);
// False when the file could not be written.
bool write(const QString& path, const QVector<StructMultiTarget>& rows);

}  // namespace MultiTargetFile

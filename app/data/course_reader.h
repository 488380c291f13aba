#pragma once

#include "navi/struct_kml_info.h"

#include <QList>
#include <QString>
#include <functional>

// Reads the placemarks of a file chosen for the course cruise, their points relative as the
// map keeps outlines.
using CourseReader = std::function<QList<StructKmlInfo>(const QString& handsetFile)>;

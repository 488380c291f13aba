#pragma once

#include "navi/struct_kml_info.h"

#include <QList>
#include <QString>
#include <functional>

// Reads the placemarks of a file chosen for the course cruise, their points relative as the
// map keeps outlines. The KML reader is one; a stored course is another.
using CourseReader = std::function<QList<StructKmlInfo>(const QString& handsetFile)>;

namespace CourseReaders {

// A course file (.kwc, a handset path) as one placemark of its points, in recording order.
QList<StructKmlInfo> storedCourse(const QString& handsetFile);

}  // namespace CourseReaders

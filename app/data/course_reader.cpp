#include "data/course_reader.h"

#include "data/course_file.h"
#include "navi/convert.h"
#include "platform/platform.h"

namespace CourseReaders {

QList<StructKmlInfo> storedCourse(const QString& handsetFile) {
    const QList<StructRouteDetail> details = CourseFile::readPoints(Platform::path(handsetFile));
    if (details.isEmpty()) return {};
    StructKmlInfo course;
    course.name = CourseFile::readHeader(Platform::path(handsetFile)).name;
    for (const StructRouteDetail& d : details) {
        if (!Convert::haveSetStartPoint()) Convert::setStartPoint(d.longitude, d.latitude);
        course.points << Convert::navi_ddS32_to_relativeCoor(d.longitude, d.latitude);
    }
    return {course};
}

}  // namespace CourseReaders

#pragma once

#include "data/kml_types.h"

#include <QString>
#include <QVector>
#include <functional>

// A file chosen for the course cruise as read: whether it could be read as KML at all, and its
// usable positions (every point of every placemark, in file order) as the file gives them, so
// that each leg goes to the written position and not to one carried through map coordinates.
struct StructKmlCourse {
    bool readable = false;
    QVector<StructKmlPosition> points;

    static StructKmlCourse fromDocument(const StructKmlDocument& doc) {
        StructKmlCourse course{doc.ok, {}};
        for (const StructKmlPlacemark& p : doc.placemarks)
            for (const QVector<StructKmlPosition>& line : p.lines)
                course.points += line;
        return course;
    }
};

using CourseReader = std::function<StructKmlCourse(const QString& handsetFile)>;

#pragma once

#include <QList>
#include <QPoint>
#include <QString>

// One imported outline (a KML placemark) as the map draws it: its points already turned into
// relative coordinates, its line colour as a colour name and its width as text, as the file
// gave them.
struct StructKmlInfo {
    QString name;
    QString color;
    QString width;
    QList<QPoint> points;
};

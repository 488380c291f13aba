#pragma once

#include <QString>
#include <QVector>
#include <cstdint>

// What a KML file holds for the handset, as read: positions stay decimal degrees x 10^7
// (ddS32, truncated) so that each user turns them into what it needs (map points, waypoint
// texts) against its own origin.

struct StructKmlPosition {
    int lon = 0;  // ddS32
    int lat = 0;
};

// A Style: its id with '#' in front, its line colour as "#rrggbb" and its width as written.
struct StructKmlStyle {
    QString id;
    QString color;
    QString width;
};

// A StyleMap: its id with '#' in front and the style reference of its "normal" pair.
struct StructKmlStyleMap {
    QString id;
    QString styleUrl;
};

// A Placemark: name, style reference, the style written inside it (ogr2ogr writes them so),
// and one point list per coordinates element (a line, a polygon's rings, the parts of a
// multi-geometry) or gx:Track (each track of a gx:MultiTrack), in file order.
struct StructKmlPlacemark {
    QString name;
    QString styleUrl;
    bool hasInlineStyle = false;
    StructKmlStyle inlineStyle;
    QVector<QVector<StructKmlPosition>> lines;

    // Its first usable position; false for a placemark with none (empty, or only invalid
    // coordinates).
    bool firstPoint(StructKmlPosition* out) const {
        for (const QVector<StructKmlPosition>& line : lines) {
            if (line.isEmpty()) continue;
            *out = line.first();
            return true;
        }
        return false;
    }
};

// One placemark read for the waypoint import: its name and first position. A GPX waypoint
// also brings its depth and time where its file has them.
struct StructKmlWaypoint {
    QString name;
    int longitude = 0;  // ddS32
    int latitude = 0;
    float depth = 0;    // metres, 0 none
    uint32_t time = 0;  // packed local word, 0 none
};

struct StructKmlDocument {
    bool ok = false;  // opened and read to its end without an XML error
    QString error;    // why not
    QVector<StructKmlStyle> styles;
    QVector<StructKmlStyleMap> styleMaps;
    QVector<StructKmlPlacemark> placemarks;
};

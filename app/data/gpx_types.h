#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>
#include <cmath>

// What a GPX file holds for the handset: positions in decimal degrees x 10^7 (ddS32), exactly
// as written to seven decimals, a depth in metres where one is known and the time in UTC.

struct StructGpxPoint {
    int lat = 0;  // ddS32
    int lon = 0;
    QString name;
    float depthMetres = std::nanf("");  // NaN: none known
    QDateTime time;                     // UTC; invalid: none known

    bool hasDepth() const { return !std::isnan(depthMetres); }
};

// A route or a track: its name and points in order (a track's segments joined).
struct StructGpxLine {
    QString name;
    QVector<StructGpxPoint> points;
};

struct StructGpxDocument {
    bool ok = false;  // read to its end without an XML error and within the bound
    QString error;    // why not
    QVector<StructGpxPoint> waypoints;
    QVector<StructGpxLine> routes;
    QVector<StructGpxLine> tracks;
    int refused = 0;             // points left out for a missing or impossible position
    bool tooManyPoints = false;  // the reading stopped at the bound (GpxFile::kMaxPoints)
};

#pragma once

#include "data/gpx_types.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// GPX 1.1, as chart plotters, phones and PC tools exchange waypoints, routes and tracks.
// Depths go in the extensions the common tools read: Garmin's WaypointExtension <gpxx:Depth>
// for a waypoint, its TrackPointExtension v2 <gpxtpx:depth> for a route or track point.
// Reading takes either (any extension element named depth or Depth) and skips everything it
// does not know.
namespace GpxFile {

// More points than this in one file (all lists together) is not a file for the handset: the
// reading stops there and says so, rather than filling the memory.
constexpr int kMaxPoints = 50000;

QByteArray build(const StructGpxDocument& doc);

// A document whose root element is not "gpx" is not read (ok false). Only a regular file is
// opened; path is a real path (Platform::path maps a handset one).
StructGpxDocument read(const QString& path);
StructGpxDocument read(QIODevice* device);

// A ddS32 value as degrees with seven decimals, exactly ("-151.2345678"). The reader takes
// them back as the KML import does (KmlCoordinates::toDdS32: digits past the seventh cut).
QString degrees(int ddS32);

}  // namespace GpxFile

#pragma once

#include "data/kml_types.h"

#include <QString>

class QIODevice;

// The common KML reader: Style, StyleMap and Placemark elements wherever they stand (Document,
// Folder, nested Documents); everything else is skipped. Colours come as "#rrggbb" from
// KML's aabbggrr, the alpha dropped; a style's LineStyle colour is the one taken, any other
// colour only when it has none.
namespace KmlReader {

// A document whose root element is not "kml" is not read (ok false).
// path: a real path (Platform::path maps a handset one). Only a regular file is opened.
StructKmlDocument read(const QString& path);
StructKmlDocument read(QIODevice* device);

// "7f0000ff" (aabbggrr) gives "#ff0000"; anything but eight hex digits gives "#000000".
QString colorName(const QString& kmlColor);

}  // namespace KmlReader

#pragma once

#include <QString>
#include <QStringList>

// The character editor's sets for the fields of the waypoint editor, one per position; an
// empty set is a fixed position.
namespace WaypointCharSets {

// "000" to "499".
QStringList sn();
// Nine positions of the name alphabet.
QStringList name();
// Over "E 000°00.0000′" and "N  00°00.0000′". The minutes' tens go to 5 only: a minute
// above 59 is no position.
QStringList longitude();
QStringList latitude();
// One digit position per digit of the depth text; the point and a sign are fixed.
QStringList depth(const QString& text);

// A longitude text beyond 180 degrees (the sets reach 199°99) held at 180°00.0000.
QString boundLongitude(const QString& text);

}  // namespace WaypointCharSets

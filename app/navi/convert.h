#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>

// Position encodings, their display texts, the flat map coordinates and the little-endian
// byte packing of the link.
//
// ddS32: decimal degrees x 10^7, truncated; latitude positive north, longitude positive east.
//        Every stored and transmitted position uses it.
// dmS32: (whole degrees + minutes / 100) x 10^7; only the intermediate of the texts.
// Texts: "N  48°07.1233′" and "E 011°34.5677′", always 14 characters, the degree sign at
//        index 5, the minutes with four decimals from index 6, U+2032 at the end.
// Relative coordinates: half-metres from the map origin (navi_startPoint), x east, y south;
//        one degree of latitude is 222 000 units, longitude is scaled by the cosine of the
//        latitude.
class Convert {
public:
    // The map origin, in half-metres without the cosine factor. (0, 0) means "not set"; the
    // first caller that needs a relative coordinate sets it, and it stays for the whole run.
    static QPoint navi_startPoint;
    // The latitude in radians (not its cosine) of the last position converted forward; the
    // inverse longitude conversion uses its cosine.
    static float current_lat_cos;

    static bool haveSetStartPoint();
    static void setStartPoint(int lon_ddS32, int lat_ddS32);
    static QPoint getStartPoint();

    // A position to relative coordinates against the start point, or against origin.
    static QPoint navi_ddS32_to_relativeCoor(int lon_ddS32, int lat_ddS32);
    static QPoint navi_ddS32_to_relativeCoor(int lon_ddS32, int lat_ddS32, QPoint origin);
    // A map point back to a position, against the start point.
    static int navi_relativeCoor_to_ddS32_lat(QPointF p);
    static int navi_relativeCoor_to_ddS32_lon(QPointF p);

    // Both directions truncate, so a value may come back one unit smaller in magnitude.
    static int ddS32_to_dmS32(int ddS32);
    static int dmS32_to_ddS32(int dmS32);

    // Display texts; the fifth decimal of the minutes is dropped. Zero counts as south/west.
    static QString ddS32_to_dmString_lat(int ddS32);
    static QString ddS32_to_dmString_lon(int ddS32);
    // Display text to position. A text of 10 characters or fewer, or whose number does not
    // read, gives 0; any first letter but N (E) counts as south (west).
    static int dmString_to_ddS32_Lat(const QString& text);
    static int dmString_to_ddS32_Lon(const QString& text);

    // Little-endian packing: the low byte first.
    static unsigned int u8_to_u32(const unsigned char* b);
    static int u8_to_s32(const unsigned char* b);
    static void u32_to_u8(unsigned int v, unsigned char* b);
    static void s32_to_u8(int v, unsigned char* b);
    static unsigned short u8_to_u16(const unsigned char* b);
    static void u16_to_u8(unsigned short v, unsigned char* b);
};

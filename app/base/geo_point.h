#pragma once

#include <QMetaType>
#include <QtGlobal>

// A latitude or a longitude in ddS32 (degrees times 10^7, signed). The two are distinct types
// so that one can never be passed where the other is meant: there is no conversion between
// them, and none from a bare int.
struct Latitude {
    constexpr explicit Latitude(qint32 ddS32Value = 0) : ddS32(ddS32Value) {}
    qint32 ddS32;
};

struct Longitude {
    constexpr explicit Longitude(qint32 ddS32Value = 0) : ddS32(ddS32Value) {}
    qint32 ddS32;
};

// A position on the earth, as the boat's GPS reports it. Zero in either field is the GPS's
// "no position", so such a point is not set.
class GeoPoint {
public:
    constexpr GeoPoint() = default;
    constexpr GeoPoint(Latitude lat, Longitude lon) : m_lat(lat.ddS32), m_lon(lon.ddS32) {}

    constexpr qint32 lat() const { return m_lat; }
    constexpr qint32 lon() const { return m_lon; }
    constexpr bool isSet() const { return m_lat != 0 && m_lon != 0; }

    constexpr bool operator==(const GeoPoint& other) const {
        return m_lat == other.m_lat && m_lon == other.m_lon;
    }
    constexpr bool operator!=(const GeoPoint& other) const { return !(*this == other); }

private:
    qint32 m_lat = 0;
    qint32 m_lon = 0;
};

Q_DECLARE_METATYPE(GeoPoint)

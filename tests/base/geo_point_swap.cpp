// Must not compile: a longitude where the latitude belongs. The test builds it and expects
// the compiler to refuse it.
#include "base/geo_point.h"

int main() {
    const Longitude lon(123456789);
    const Latitude lat(523456789);
    const GeoPoint swapped(lon, lat);
    return swapped.lat();
}

// Arbitrary bytes as a KML file through the reader and the three imports: no crash, no read
// beyond a buffer, and every position handed on lies on the earth.
#include "data/course_reader.h"
#include "data/kml_outlines.h"
#include "data/kml_reader.h"
#include "data/kml_waypoints.h"
#include "fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QBuffer buffer;
    openOn(buffer, data, size);
    const StructKmlDocument doc = KmlReader::read(&buffer);
    if (doc.ok == !doc.error.isEmpty()) std::abort();
    const QVector<StructKmlWaypoint> waypoints = KmlWaypoints::fromDocument(doc);
    if (waypoints.size() > doc.placemarks.size()) std::abort();
    for (const StructKmlWaypoint& w : waypoints)
        if (!onEarth(w.longitude, w.latitude)) std::abort();
    for (const StructKmlPosition& p : StructKmlCourse::fromDocument(doc).points)
        if (!onEarth(p.lon, p.lat)) std::abort();
    for (const StructKmlInfo& outline : KmlOutlines::toInfo(doc))
        if (outline.points.isEmpty() || outline.color.size() != 7) std::abort();
    return 0;
}

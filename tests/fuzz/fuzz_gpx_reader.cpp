// Arbitrary bytes as a GPX file through the reader and the handset's import: no crash, no read
// beyond a buffer, a clear verdict, every position handed on on the earth, never more points
// than the bound, and a course made of any line has a length and a name the handset can keep.
#include "data/gpx_file.h"
#include "data/gpx_handset.h"
#include "data/waypoint_texts.h"
#include "fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QBuffer buffer;
    openOn(buffer, data, size);
    const StructGpxDocument doc = GpxFile::read(&buffer);
    if (doc.ok == !doc.error.isEmpty()) std::abort();
    int points = doc.waypoints.size();
    for (const StructGpxPoint& p : doc.waypoints)
        if (!onEarth(p.lon, p.lat)) std::abort();
    for (const auto* lines : {&doc.routes, &doc.tracks}) {
        for (const StructGpxLine& l : *lines) {
            points += l.points.size();
            for (const StructGpxPoint& p : l.points)
                if (!onEarth(p.lon, p.lat)) std::abort();
        }
    }
    if (points > GpxFile::kMaxPoints + 1) std::abort();
    if (GpxHandset::waypoints(doc, -3.5f).size() != doc.waypoints.size()) std::abort();
    if (const StructGpxLine* line = GpxHandset::courseLine(doc)) {
        const StructRoute c = GpxHandset::course(*line, QStringLiteral("course0"), 13);
        if (c.distance < 0 || c.points.size() != line->points.size() ||
            c.name.size() > WaypointTexts::kNameLength || c.isEmpty())
            std::abort();
    }
    return 0;
}

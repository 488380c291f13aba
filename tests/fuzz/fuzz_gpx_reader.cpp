// Arbitrary bytes as a GPX file through the reader: no crash, no read beyond a buffer, a clear
// verdict, every position handed on on the earth, and never more points than the bound.
#include "data/gpx_file.h"
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
    return 0;
}

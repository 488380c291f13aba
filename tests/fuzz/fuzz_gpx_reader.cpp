// Arbitrary bytes as a GPX file through the reader: no crash, no read beyond a buffer, a clear
// verdict, every position handed on on the earth, and never more points than the bound.
#include "data/gpx_file.h"

#include <QBuffer>
#include <QLoggingCategory>
#include <cstdlib>

namespace {
bool onEarth(const StructGpxPoint& p) {
    return qAbs(qint64(p.lon)) <= 1800000000 && qAbs(qint64(p.lat)) <= 900000000;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QBuffer buffer;
    buffer.setData(reinterpret_cast<const char*>(data), int(size));
    buffer.open(QIODevice::ReadOnly);
    const StructGpxDocument doc = GpxFile::read(&buffer);
    if (doc.ok == !doc.error.isEmpty()) std::abort();
    int points = doc.waypoints.size();
    for (const StructGpxPoint& p : doc.waypoints)
        if (!onEarth(p)) std::abort();
    for (const auto* lines : {&doc.routes, &doc.tracks}) {
        for (const StructGpxLine& l : *lines) {
            points += l.points.size();
            for (const StructGpxPoint& p : l.points)
                if (!onEarth(p)) std::abort();
        }
    }
    if (points > GpxFile::kMaxPoints + 1) std::abort();
    return 0;
}

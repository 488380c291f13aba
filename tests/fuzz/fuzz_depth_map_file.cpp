// Arbitrary bytes as the kept depth map: no crash, no read beyond a buffer, no huge
// allocation; a file taken is a grid that writes back as the same bytes.
#include "data/depth_map_file.h"

#include <QLoggingCategory>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    DepthGrid grid;
    if (!DepthMapFile::decode(bytes, &grid)) {
        if (!grid.isEmpty()) std::abort();
        return 0;
    }
    DepthGrid again;
    if (!DepthMapFile::decode(DepthMapFile::encode(grid), &again) ||
        again.filledCells() != grid.filledCells())
        std::abort();
    return 0;
}

#include "history_log.h"

#include <QSaveFile>

#include <algorithm>

#include <cmath>

namespace vboat {

int writeHistoryLog(const QString& path, double minutes, double framesPerSecond,
                    const SimOptions& options, const SonarSettings& settings) {
    if (!(framesPerSecond > 0) || !(minutes > 0)) return -1;
    const int frames = std::max(1, static_cast<int>(std::lround(minutes * 60.0 * framesPerSecond)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return -1;
    BoatSim sim(options);
    file.write(QByteArray(kLogHeaderSize, '*'));
    for (int i = 0; i < frames; ++i)
        file.write(sim.nextFrame(1.0 / framesPerSecond, settings));
    return file.commit() ? frames : -1;
}

}  // namespace vboat

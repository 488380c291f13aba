#pragma once

#include "boat_sim.h"

#include <QString>

// Writes a sonar history log: 64 '*' characters, then the frames of a simulated run, 276
// bytes each, as the handset records them. The run is simulated, not waited for.
namespace vboat {

constexpr int kLogHeaderSize = 64;

// frames = minutes x 60 x rate, at least one. Returns the number of frames written, or -1
// when the file could not be written (a partial file is removed).
int writeHistoryLog(const QString& path, double minutes, double framesPerSecond,
                    const SimOptions& options, const SonarSettings& settings = SonarSettings());

}  // namespace vboat

#pragma once

#include <QString>

// The signal icon from the frame rate: frames in the last measuring window (a little over four
// seconds) and the seconds since the last frame. A lost link shows no bars whatever the rate.
namespace SignalIcon {

inline QString pathFor(int framesPerWindow, int noDataSeconds) {
    if (noDataSeconds >= 10) return QStringLiteral(":/ico/signal0");
    if (framesPerWindow >= 26) return QStringLiteral(":/ico/signal4");
    if (framesPerWindow >= 21) return QStringLiteral(":/ico/signal3");
    if (framesPerWindow >= 16) return QStringLiteral(":/ico/signal2");
    return QStringLiteral(":/ico/signal1");
}

}  // namespace SignalIcon

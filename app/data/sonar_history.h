#pragma once

#include "link/kvl_frame.h"

#include <QList>
#include <cstdint>

// The in-memory sonar history: one record per echogram column, oldest first.
namespace SonarHistory {

constexpr int kColumns = 246;
constexpr int kSamples = 240;
constexpr int kSamplesOffset = 35;

// Takes frame f in. chartSpeed 0: the oldest record goes, f is appended. Otherwise the two
// oldest go and f is appended twice, the first copy's samples replaced by the average
// (rounded down) of f's and the previous frame's (lastRaw), so the echogram shows an
// interpolated column before each new one. Either way lastRaw becomes f's samples and the
// length of the history does not change. An empty history stays empty.
void take(QList<kvl_w>& history, const kvl_w& f, int chartSpeed, uint8_t* lastRaw);

}  // namespace SonarHistory

#include "data/sonar_history.h"

#include <cstring>

namespace SonarHistory {

void take(QList<kvl_w>& history, const kvl_w& f, int chartSpeed, uint8_t* lastRaw) {
    if (history.isEmpty()) return;
    const uint8_t* samples = f.bytes + kSamplesOffset;
    if (chartSpeed == 0 || history.size() < 2) {
        history.removeFirst();
        history.append(f);
    } else {
        history.removeFirst();
        history.removeFirst();
        kvl_w between = f;
        for (int i = 0; i < kSamples; ++i)
            between.bytes[kSamplesOffset + i] = uint8_t((samples[i] + lastRaw[i]) / 2);
        history.append(between);
        history.append(f);
    }
    std::memcpy(lastRaw, samples, kSamples);
}

}  // namespace SonarHistory

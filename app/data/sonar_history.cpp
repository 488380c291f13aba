#include "data/sonar_history.h"

#include <cstring>

SonarHistory::SonarHistory() {
    for (int i = 0; i < kColumns; ++i)
        m_records.append(kvl_w::zero());
}

void SonarHistory::take(QList<kvl_w>& history, const kvl_w& f, int chartSpeed, uint8_t* lastRaw) {
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

void SonarHistory::takeFrame(const kvl_w& f, int chartSpeed) {
    take(m_records, f, chartSpeed, m_lastRawData);
}

void SonarHistory::feed(const kvl_w& f) {
    m_records.removeFirst();
    m_records.append(f);
}

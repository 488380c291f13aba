#pragma once

#include "link/kvl_frame.h"

#include <QList>
#include <cstdint>

// The in-memory sonar history: one record per echogram column, oldest first, always kColumns
// long (it starts as kColumns zero frames).
class SonarHistory {
public:
    static constexpr int kColumns = 246;
    static constexpr int kSamples = 240;
    static constexpr int kSamplesOffset = 35;

    SonarHistory();

    // Takes frame f in. chartSpeed 0: the oldest record goes, f is appended. Otherwise the two
    // oldest go and f is appended twice, the first copy's samples replaced by the average
    // (rounded down) of f's and the previous frame's (lastRaw), so the echogram shows an
    // interpolated column before each new one. Either way lastRaw becomes f's samples and the
    // length of the history does not change. An empty history stays empty.
    static void take(QList<kvl_w>& history, const kvl_w& f, int chartSpeed, uint8_t* lastRaw);

    // take() on this history.
    void takeFrame(const kvl_w& f, int chartSpeed);
    // Appends f and drops the oldest record, with no interpolation (tests and benchmarks
    // that play their own frames).
    void feed(const kvl_w& f);

    const QList<kvl_w>& records() const { return m_records; }
    int size() const { return m_records.size(); }
    const kvl_w& newest() const { return m_records.last(); }

private:
    QList<kvl_w> m_records;
    uint8_t m_lastRawData[kSamples] = {};
};

#pragma once

// The depth read-out's median filter over the last seven depths: it hides single wrong
// soundings (a fish school or a weed bed taken for the bottom). Until seven depths have been
// given it passes each one through unchanged.
class DepthMedianFilter {
public:
    static constexpr int kWindow = 7;
    float push(float depth);
    void reset();

private:
    float m_window[kWindow] = {};
    int m_count = 0;
};

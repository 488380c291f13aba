#include "link/rssi_filter.h"

#include <algorithm>
#include <cmath>

void RssiFilter::data_calcAverage_rssi(int boatSide, int handsetSide, int& boatAverage,
                                       int& handsetAverage) {
    std::rotate(m_boat, m_boat + 1, m_boat + kWindow);
    std::rotate(m_handset, m_handset + 1, m_handset + kWindow);
    m_boat[kWindow - 1] = boatSide;
    m_handset[kWindow - 1] = handsetSide;
    m_count = std::min(m_count + 1, kWindow);
    boatAverage = getFliterValue(m_boat, m_count);
    handsetAverage = getFliterValue(m_handset, m_count);
}

int RssiFilter::getFliterValue(const int* values, int count) {
    const int* a = values;
    switch (count) {
        case 1:
            return a[4];
        case 2:
            return (a[3] + a[4]) / 2;
        case 3:
            return (a[2] + a[3] + a[4]) / 3;
        default: {
            int sorted[kWindow];
            std::copy(a, a + kWindow, sorted);
            std::sort(sorted, sorted + kWindow);
            return int(std::trunc((sorted[1] + sorted[2] + sorted[3]) / 3.0));
        }
    }
}

int RssiFilter::signedRssi(int byte) {
    return byte > 128 ? byte - 256 : byte;
}

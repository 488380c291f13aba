#pragma once

// The signal strengths the radio modules report, smoothed over the last five reports: a
// single stray value does not move the figure the developer display shows.
class RssiFilter {
public:
    static constexpr int kWindow = 5;

    // Takes one boat-side and one handset-side value and gives the smoothed pair.
    void data_calcAverage_rssi(int boatSide, int handsetSide, int& boatAverage,
                               int& handsetAverage);

    // values[0..4], the newest last; count 1..5 values have been given so far. One: the newest;
    // two or three: their mean (integer division); four or five: the mean of the middle three
    // of all five sorted (the slot not yet filled still holds 0).
    static int getFliterValue(const int* values, int count);

    // A received byte as the signed dBm it stands for (values above 128 are negative).
    static int signedRssi(int byte);

private:
    int m_boat[kWindow] = {};
    int m_handset[kWindow] = {};
    int m_count = 0;
};

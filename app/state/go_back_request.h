#pragma once

// The go-back screen's two fields as the user filled them (slot kHome: home).
struct StructGoBackRequest {
    static constexpr int kHome = -1;
    int firstSlot = 0;
    int secondSlot = 0;
    bool fieldsEmpty = false;
    bool firstEmpty = false;
    bool secondEmpty = false;
    int waitSeconds = 0;
};

#pragma once

#include <QString>
#include <QStringList>

// The value lists of the menu's sliders: the texts written into the float field (and matched
// against its value), the texts shown for them and the unit beside them. Depths, temperatures
// and distances are shown in the units chosen at the moment the list is made.
enum class EnumSliderList {
    Sensitivity,     // S1: 0..9, 0 is AUTO
    SurfaceClarify,  // S2: 0, 1, 2, 0 is OFF
    FishSens,        // S3: 0..9, 0 is OFF
    ColorAdjust,     // S4: -20..21, 0 is AUTO, 1..21 show 0..20
    DepthRange,      // S5: 0..50 by 5 m, 0 is AUTO
    DepthOffset,     // S6: -2.0..2.0 m by 0.1
    TempOffset,      // S7: -2.0..2.0 degrees C by 0.1
    VtgOffset,       // S8: -2.0..2.0 V by 0.1
    ShallowAlarm,    // S9: 0..2.0 m by 0.2, 0 is OFF
    GpsFilter,       // S10: 1..20
    TimeZone,        // S11: -12..12
    SampleStep,      // S12: 1..20
    ArriveAlarm,     // S13: 2..20 m
    ChannelSpeed,    // S14: 10..100 by 5
    SteeringSens,    // S15: 1.0..10.0 by 0.5
    Backlight,       // S16: 1..9
    VoltageAlarm,    // S17: 7.9..18.0 V by 0.1, 7.9 is OFF
    ChartSpeed,      // 0 normal, 1 every column drawn twice
    EmptyVoltage,    // 6.0..16.0 V by 0.1
    ReserveMargin,   // 0.1..2.0 V by 0.1
};

struct StructSliderList {
    QStringList values;
    QStringList shown;
    QString unit;
};

namespace SliderLists {

StructSliderList list(EnumSliderList which);

}  // namespace SliderLists

// The route-colour editor's own slider lists, whole metres (shown in the current depth unit).
namespace RouteColorLists {

// The upper limit: 0 upwards while below lower - 1, in tenths of the range when it is wider
// than 9 m. Never empty: 0 is always there.
StructSliderList upper(int upper, int lower);
// The lower limit: from upper + 2 to maxLower, in tenths of the range when it is wider than
// 9 m, maxLower last. Never empty.
StructSliderList lower(int upper, int maxLower);

}  // namespace RouteColorLists

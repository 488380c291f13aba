#include "ui/screens/slider_lists.h"

#include "base/global.h"
#include "base/tr_resource.h"
#include "ui/kit/value_list.h"

#include <functional>

namespace {

using Shown = std::function<QString(int step, float value)>;

// The values step x times / per for step first..last: fractions are made from whole numbers
// (tenths, fifths, halves) so that their texts carry no rounding noise.
StructSliderList make(int first, int last, int times, int per, const Shown& shown,
                      const QString& unit = QString()) {
    StructSliderList list;
    for (int step = first; step <= last; ++step) {
        const float value = float(step * times) / float(per);
        list.values << ValueList::format(value);
        list.shown << shown(step, value);
    }
    list.unit = unit;
    return list;
}

QString same(int, float value) {
    return ValueList::format(value);
}

QString tr(EnumTrString id) {
    return TrResource::getTrString(id);
}

bool fahrenheit() {
    const int unit = Global::configuration.unit;
    return unit == 1 || unit == 3;
}

// A word for the first value, the numbers for the rest.
Shown firstIs(EnumTrString word, const Shown& rest = same) {
    return [word, rest](int step, float value) {
        return value == 0.0f ? tr(word) : rest(step, value);
    };
}

}  // namespace

namespace SliderLists {

StructSliderList list(EnumSliderList which) {
    const QString depthUnit = Global::getString_depthUnit();
    const auto depth = [](int decimals) {
        return [decimals](int, float metres) {
            return Global::getString_depthValue(metres, decimals, false);
        };
    };
    switch (which) {
        case EnumSliderList::Sensitivity:
            return make(0, 9, 1, 1, firstIs(TR_Auto));
        case EnumSliderList::SurfaceClarify:
            return make(0, 2, 1, 1, firstIs(TR_Off));
        case EnumSliderList::FishSens:
            return make(0, 9, 1, 1, firstIs(TR_Off));
        case EnumSliderList::ColorAdjust:
            // The palette offset 0 is automatic; 1..21 are labelled 0..20.
            return make(-20, 21, 1, 1, [](int step, float) {
                if (step == 0) return tr(TR_Auto);
                return QString::number(step > 0 ? step - 1 : step);
            });
        case EnumSliderList::DepthRange:
            return make(0, 10, 5, 1, firstIs(TR_Auto, depth(0)), depthUnit);
        case EnumSliderList::DepthOffset:
            return make(-20, 20, 1, 10, depth(1), depthUnit);
        case EnumSliderList::TempOffset:
            // An offset is a difference: in Fahrenheit it is scaled, not shifted by 32.
            return make(
                -20, 20, 1, 10,
                [](int, float celsius) {
                    return QString::number(fahrenheit() ? celsius * 1.8 : double(celsius), 'f', 1);
                },
                Global::getString_tempUnit());
        case EnumSliderList::VtgOffset:
            return make(-20, 20, 1, 10, same, QStringLiteral("V"));
        case EnumSliderList::ShallowAlarm:
            return make(0, 10, 2, 10, firstIs(TR_Off, depth(1)), depthUnit);
        case EnumSliderList::GpsFilter:
        case EnumSliderList::SampleStep:
            return make(1, 20, 1, 1, same);
        case EnumSliderList::TimeZone:
            return make(-12, 12, 1, 1, same);
        case EnumSliderList::ArriveAlarm:
            // Whole metres, yards and feet; kilometres need their decimals to tell 2 m from 20.
            return make(
                2, 20, 1, 1,
                [](int, float metres) {
                    const int decimals = Global::configuration.distanceUnit == 0 ? 3 : 0;
                    return Global::getString_dstValue(metres, decimals, false);
                },
                Global::getString_dstUnit());
        case EnumSliderList::ChannelSpeed:
            return make(2, 20, 5, 1, same);
        case EnumSliderList::SteeringSens:
            return make(2, 20, 1, 2, same);
        case EnumSliderList::Backlight:
            return make(1, 9, 1, 1, same);
        case EnumSliderList::VoltageAlarm:
            return make(
                79, 180, 1, 10,
                [](int step, float value) {
                    return step == 79 ? tr(TR_Off) : ValueList::format(value);
                },
                QStringLiteral("V"));
        case EnumSliderList::EmptyVoltage:
            return make(60, 160, 1, 10, same, QStringLiteral("V"));
        case EnumSliderList::ReserveMargin:
            return make(1, 20, 1, 10, same, QStringLiteral("V"));
        case EnumSliderList::ChartSpeed:
            return make(0, 1, 1, 1, [](int step, float) {
                return step == 0 ? QStringLiteral("1x") : QStringLiteral("2x");
            });
    }
    return {};
}

}  // namespace SliderLists

namespace RouteColorLists {

namespace {
StructSliderList depths(const QList<int>& metres) {
    StructSliderList list;
    for (int m : metres) {
        list.values << QString::number(m);
        list.shown << Global::getString_depthValue(float(m), 0, false);
    }
    list.unit = Global::getString_depthUnit();
    return list;
}
}  // namespace

StructSliderList upper(int upper, int lower) {
    const int w = lower - upper;
    const int step = w > 9 ? w / 10 : 1;
    QList<int> metres;
    for (int m = 0; m < lower - 1; m += step)
        metres << m;
    if (metres.isEmpty()) metres << 0;
    return depths(metres);
}

StructSliderList lower(int upper, int maxLower) {
    const int w = maxLower - upper;
    const int first = upper + 2;
    QList<int> metres;
    if (w > 9) {
        for (int m = first; m < maxLower; m += w / 10)
            metres << m;
        metres << maxLower;
    } else {
        for (int m = first; m <= maxLower; ++m)
            metres << m;
    }
    if (metres.isEmpty()) metres << first;
    return depths(metres);
}

}  // namespace RouteColorLists

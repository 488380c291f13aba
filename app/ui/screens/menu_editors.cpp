#include "ui/screens/menu_editors.h"

#include "base/configuration.h"
#include "base/tr_resource.h"

namespace {

using A = EnumMenuAction;
using L = EnumSliderList;

QString tr(EnumTrString id) {
    return TrResource::getTrString(id);
}

QStringList offOn() {
    return {tr(TR_Off), tr(TR_On)};
}

struct StructSliderDef {
    A action;
    L list;
    float StructConfiguration::*field;
};

const StructSliderDef kSliders[] = {
    {A::Sensitivity, L::Sensitivity, &StructConfiguration::sonarSensitivity},
    {A::SurfaceClarify, L::SurfaceClarify, &StructConfiguration::surfaceClarify},
    {A::FishSens, L::FishSens, &StructConfiguration::fishSensitivity},
    {A::ColorAdjust, L::ColorAdjust, &StructConfiguration::colorLine},
    {A::DepthRange, L::DepthRange, &StructConfiguration::depthRange},
    {A::DepthOffset, L::DepthOffset, &StructConfiguration::depthOffset},
    {A::TempOffset, L::TempOffset, &StructConfiguration::tempOffset},
    {A::VtgOffset, L::VtgOffset, &StructConfiguration::vtgOffset},
    {A::ShallowAlarm, L::ShallowAlarm, &StructConfiguration::shallowAlarmLevel},
    {A::ChartSpeed, L::ChartSpeed, &StructConfiguration::chartSpeed},
    {A::GpsFilter, L::GpsFilter, &StructConfiguration::gpsFilter},
    {A::TimeZone, L::TimeZone, &StructConfiguration::timeZone},
    {A::SampleStep, L::SampleStep, &StructConfiguration::sampleDst},
    {A::ArriveAlarm, L::ArriveAlarm, &StructConfiguration::arriveAlarmLevel},
    {A::Ch1Speed, L::ChannelSpeed, &StructConfiguration::apCh1Speed},
    {A::Ch2Speed, L::ChannelSpeed, &StructConfiguration::apCh2Speed},
    {A::SteeringSens, L::SteeringSens, &StructConfiguration::apSenitivity},
    {A::Backlight, L::Backlight, &StructConfiguration::backLight},
    {A::BatteryAlarm, L::VoltageAlarm, &StructConfiguration::batteryAlarmLevel},
    {A::BoatVtgAlarm, L::VoltageAlarm, &StructConfiguration::boatVoltageAlarmLevel},
    {A::EmptyVoltage, L::EmptyVoltage, &StructConfiguration::reserveEmptyVolts},
    {A::ReserveMargin, L::ReserveMargin, &StructConfiguration::reserveMarginVolts},
};

struct StructChoiceDef {
    A action;
    int StructConfiguration::*field;
    QStringList (*rows)();
};

const StructChoiceDef kChoices[] = {
    {A::AdvancedMode, &StructConfiguration::advancedMode, offOn},
    {A::SonarGain, &StructConfiguration::sonarGain,
     [] {
         return QStringList{"1x", "2x", "4x", tr(TR_Auto)};
     }},
    {A::SonarBeam, &StructConfiguration::sonarFreq,
     [] {
         return QStringList{"Wide Beam", "Narrow Beam"};
     }},
    {A::Units, &StructConfiguration::unit,
     [] {
         return QStringList{QStringLiteral("m / \u2103"), QStringLiteral("m / \u2109"),
                            QStringLiteral("ft / \u2103"), QStringLiteral("ft / \u2109")};
     }},
    {A::DistanceUnit, &StructConfiguration::distanceUnit,
     [] {
         return QStringList{"KM", "Yard", "m", "ft"};
     }},
    {A::SpeedUnit, &StructConfiguration::speedUnit,
     [] {
         return QStringList{"KPH.", "Knot", "m/s", "ft/s"};
     }},
    {A::Hour24, &StructConfiguration::hourSystem, offOn},
    {A::BoatType, &StructConfiguration::apMode,
     [] {
         return QStringList{tr(TR_HBoat), tr(TR_OneEngine), tr(TR_TwoEngines)};
     }},
    {A::Simulator, &StructConfiguration::simulator, offOn},
    {A::KeyTone, &StructConfiguration::keyTone, offOn},
    // The language index of each name; the Russian name begins with a Latin P.
    {A::Language, &StructConfiguration::systemLanguage,
     [] {
         return QStringList{QStringLiteral("English"),
                            QStringLiteral("P\u0443\u0441\u0441\u043a\u0438\u0439"),
                            QStringLiteral("Fran\u00e7ais"),
                            QStringLiteral("Deutsch"),
                            QStringLiteral("Nederland"),
                            QStringLiteral("Polski"),
                            QStringLiteral("Espa\u00f1ol"),
                            QStringLiteral("\u4e2d\u6587")};
     }},
    {A::BaudRate, &StructConfiguration::baudRate,
     [] {
         return QStringList{"4800 Bps", "9600 Bps", "38400 Bps", "115200 Bps"};
     }},
    {A::DataLogger, &StructConfiguration::dataExport,
     [] {
         return QStringList{tr(TR_Off), tr(TR_SerialPort), tr(TR_SdCard)};
     }},
    {A::WorkMode, &StructConfiguration::workMode,
     [] {
         return QStringList{tr(TR_Normal), tr(TR_Record), tr(TR_Replay)};
     }},
    {A::DevMode, &StructConfiguration::devMode, offOn},
    {A::BatteryReserve, &StructConfiguration::reserveAlarm, offOn},
    {A::NmeaSentences, &StructConfiguration::nmeaSentences,
     [] {
         return QStringList{tr(TR_GgaOnly), tr(TR_ChartPlotter)};
     }},
};

struct StructFileDef {
    A action;
    const char* folder;
    const char* pattern;
    const char* tag;
};

const StructFileDef kFiles[] = {
    {A::LoadNewColor, "/mnt/sd/Korvel/Color/", "*.kct", "kct"},
    {A::ImportOutline, "/mnt/sd/Korvel/Kml/", "*.kml", "kml"},
    {A::CourseCruise, "/mnt/sd/Korvel/Kml/", "*.kml", "routeAp"},
};

}  // namespace

namespace MenuEditors {

StructMenuEditor editorFor(EnumMenuAction action, const QString& title, StructConfiguration& cfg) {
    StructMenuEditor e;
    e.title = title;
    for (const StructSliderDef& s : kSliders) {
        if (s.action != action) continue;
        e.kind = EnumEditorKind::Slider;
        e.slider = SliderLists::list(s.list);
        e.value = &(cfg.*s.field);
        return e;
    }
    for (const StructChoiceDef& c : kChoices) {
        if (c.action != action) continue;
        e.kind = EnumEditorKind::Single;
        e.rows = c.rows();
        e.choice = &(cfg.*c.field);
        return e;
    }
    for (const StructFileDef& f : kFiles) {
        if (f.action != action) continue;
        e.kind = EnumEditorKind::File;
        e.folder = QLatin1String(f.folder);
        e.pattern = QLatin1String(f.pattern);
        e.tag = QLatin1String(f.tag);
        return e;
    }
    switch (action) {
        case A::OverlapData:
            e.kind = EnumEditorKind::Multi;
            e.rows = QStringList{tr(TR_Depth), tr(TR_Temperature), tr(TR_BoatBat)};
            e.checks = {&cfg.showOverlapData_Depth, &cfg.showOverlapData_Temperature,
                        &cfg.showOverlapData_BoatBat};
            break;
        case A::ChannelsReverse:
            e.kind = EnumEditorKind::Multi;
            e.rows = QStringList{tr(TR_Ch1Reverse), tr(TR_Ch2Reverse)};
            e.checks = {&cfg.apCh1Reverse, &cfg.apCh2Reverse};
            break;
        case A::Background:
            e.kind = EnumEditorKind::Image;
            e.imageKind = QStringLiteral("background");
            e.choice = &cfg.backgroundColor;
            break;
        case A::ColorStyle:
            e.kind = EnumEditorKind::Image;
            e.imageKind = QStringLiteral("color");
            e.choice = &cfg.colorScheme;
            break;
        default:
            break;
    }
    return e;
}

}  // namespace MenuEditors

#include "ui/screens/menu_pages.h"

#include "base/tr_resource.h"

namespace {

using A = EnumMenuAction;

struct StructRowDef {
    A action;
    EnumTrString text;
};

// The rows whose texts are fixed, not translated.
QString fixedText(A action) {
    switch (action) {
        case A::ChartSpeed:
            return QStringLiteral("Chart Speed -NT");
        default:
            return QString();
    }
}

const StructRowDef kBasic[] = {
    {A::Sensitivity, TR_Sensitivity},
    {A::SurfaceClarify, TR_SurfaceClarify},
    {A::FishSens, TR_FishIdSens},
    {A::Background, TR_Background},
    {A::ColorAdjust, TR_ColorAdjust},
    {A::ColorStyle, TR_ColorStyle},
    {A::RouteColor, TR_RouteColor},
    {A::AdvancedMode, TR_AdvancedMode},
    {A::Next, TR_Next},
    {A::Exit, TR_Exit},
};

// The sonar page of model 5; model 4 has no beam choice, model d adds the chart speed.
const StructRowDef kSonar[] = {
    {A::DepthRange, TR_DepthRange},
    {A::SonarGain, TR_SonarGain},
    {A::SonarBeam, TR_SonarBeam},
    {A::LoadNewColor, TR_LoadNewColor},
    {A::OverlapData, TR_OverlapData},
    {A::DepthOffset, TR_DepthOffset},
    {A::TempOffset, TR_TempOffset},
    {A::VtgOffset, TR_BoatVtgOffset},
    {A::ShallowAlarm, TR_ShallowAlarm},
    {A::Units, TR_Units},
    {A::ChartSpeed, TR_Placeholder},
    {A::Next, TR_Next},
    {A::Exit, TR_Exit},
};

const StructRowDef kGps[] = {
    {A::GpsFilter, TR_GpsFilter},
    {A::DistanceUnit, TR_DistanceUnit},
    {A::SpeedUnit, TR_SpeedUnit},
    {A::TimeZone, TR_TimeZone},
    {A::Hour24, TR_Hour24},
    {A::SampleStep, TR_SampleStep},
    {A::ArriveAlarm, TR_ArriveAlarm},
    {A::CaliDisplayCompass, TR_CalibrateDisplayCompass},
    {A::CaliBoatCompass, TR_CalibrateBoatCompass},
    {A::CompassTest, TR_CompassTest},
    {A::Next, TR_Next},
    {A::Exit, TR_Exit},
};

const StructRowDef kAutopilot[] = {
    {A::WiringTest, TR_WiringTest},
    {A::BoatType, TR_BoatType},
    {A::ChannelsReverse, TR_ChannelsReverse},
    {A::Ch1Speed, TR_Ch1Speed},
    {A::Ch2Speed, TR_Ch2Speed},
    {A::SteeringSens, TR_SteeringSens},
    {A::Next, TR_Next},
    {A::Exit, TR_Exit},
};

const StructRowDef kSystem[] = {
    {A::Simulator, TR_Simulator},
    {A::Backlight, TR_Backlight},
    {A::KeyTone, TR_KeyTone},
    {A::Language, TR_Language},
    {A::BaudRate, TR_BaudRate},
    {A::BatteryAlarm, TR_BatteryAlarm},
    {A::BoatVtgAlarm, TR_BoatVtgAlarm},
    {A::DefaultSettings, TR_DefaultSettings},
    {A::SystemInfo, TR_SystemInfo},
    {A::RadioBind, TR_RadioBind},
    {A::UpdateRBoxes, TR_UpdateRBoxes},
    // The battery reserve by the way home, after the page's own rows.
    {A::BatteryReserve, TR_BatteryReserve},
    {A::EmptyVoltage, TR_EmptyVoltage},
    {A::ReserveMargin, TR_ReserveMargin},
    {A::NmeaSentences, TR_NmeaSentences},
    {A::Next, TR_Next},
    {A::Exit, TR_Exit},
};

// Model d's quick page; model 4 has the first ten rows, model 5 the first thirteen; every
// model ends with the depth map and the sonar history.
const StructRowDef kQuick[] = {
    {A::QuickMarker, TR_QuickMarker},
    {A::Waypoint, TR_Waypoint},
    {A::Route, TR_Route},
    {A::GoBack, TR_GoBack},
    {A::SetHomePos, TR_SetHomePos},
    {A::GoHome, TR_GoToHome},
    {A::StopAutopilot, TR_StopAutopilot},
    {A::ClearMap, TR_ClearMap},
    {A::ImportOutline, TR_ImportOutline},
    {A::SelectPanel, TR_OverlapData},
    {A::DataLogger, TR_DataLogger},
    {A::WorkMode, TR_WorkMode},
    {A::MultiTarget, TR_MultiTargetAutopilot},
    {A::DevMode, TR_DeveloperMode},
    {A::CourseCruise, TR_CourseCruise},
    {A::DepthMap, TR_DepthMap},
    {A::SonarHistory, TR_SonarHistory},
};

struct StructPageDef {
    const char* type;
    EnumTrString title;
    const char* code;  // of the "Invalid Item" box
};

const StructPageDef kPages[] = {
    {"basic", TR_Basic, "Main-B-00"},          {"sonar", TR_SonarTitle, "Main-SN-00"},
    {"gps", TR_GpsSettingsTitle, "Main-G-00"}, {"ap", TR_AutopilotTitle, "Main-A-00"},
    {"system", TR_SystemTitle, "Main-ST-00"},  {"quick", TR_QuickOperationTitle, "Main-Q-00"},
};

const StructPageDef* pageDef(const QString& type) {
    for (const StructPageDef& def : kPages) {
        if (type == QLatin1String(def.type)) return &def;
    }
    return nullptr;
}

template <std::size_t N>
QVector<StructMenuRow> rows(const StructRowDef (&defs)[N], bool (*keep)(A, char), char model) {
    QVector<StructMenuRow> out;
    for (const StructRowDef& def : defs) {
        if (keep && !keep(def.action, model)) continue;
        const QString fixed = fixedText(def.action);
        out.append({def.action, fixed.isEmpty() ? TrResource::getTrString(def.text) : fixed});
    }
    return out;
}

bool knownModel(char model) {
    return model == '4' || model == '5' || model == 'd';
}

bool sonarRowOf(A action, char model) {
    if (!knownModel(model)) return false;
    if (action == A::SonarBeam) return model != '4';
    if (action == A::ChartSpeed) return model == 'd';
    return true;
}

bool quickRowOf(A action, char model) {
    if (!knownModel(model)) return false;
    if (action == A::DevMode || action == A::CourseCruise) return model == 'd';
    if (action == A::DataLogger || action == A::WorkMode || action == A::MultiTarget)
        return model != '4';
    return true;
}

}  // namespace

QStringList StructMenuPage::texts() const {
    QStringList out;
    for (const StructMenuRow& row : rows)
        out << row.text;
    return out;
}

EnumMenuAction StructMenuPage::action(int row) const {
    return row >= 0 && row < rows.size() ? rows.at(row).action : EnumMenuAction::None;
}

namespace MenuPages {

StructMenuPage page(const QString& type, char model) {
    StructMenuPage page;
    const StructPageDef* def = pageDef(type);
    if (!def) return page;
    page.type = type;
    page.title = TrResource::getTrString(def->title);
    if (type == QLatin1String("basic")) page.rows = rows(kBasic, nullptr, model);
    if (type == QLatin1String("sonar")) page.rows = rows(kSonar, sonarRowOf, model);
    if (type == QLatin1String("gps")) page.rows = rows(kGps, nullptr, model);
    if (type == QLatin1String("ap")) page.rows = rows(kAutopilot, nullptr, model);
    if (type == QLatin1String("system")) page.rows = rows(kSystem, nullptr, model);
    if (type == QLatin1String("quick")) page.rows = rows(kQuick, quickRowOf, model);
    return page;
}

QString next(const QString& type, int advancedMode) {
    if (type == QLatin1String("basic"))
        return QLatin1String(advancedMode == 1 ? "sonar" : "system");
    if (type == QLatin1String("sonar")) return QStringLiteral("gps");
    if (type == QLatin1String("gps")) return QStringLiteral("ap");
    if (type == QLatin1String("ap")) return QStringLiteral("system");
    if (type == QLatin1String("system")) return QStringLiteral("basic");
    return QString();
}

QString invalidCode(const QString& type, int row) {
    const StructPageDef* def = pageDef(type);
    return QLatin1String(def ? def->code : "Main-00") + QString::number(row);
}

}  // namespace MenuPages

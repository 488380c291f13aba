#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// What a row of a menu page does. The action follows from the row, not from its position, so
// the pages of the different models share one dispatch.
enum class EnumMenuAction {
    None,
    // Basic page.
    Sensitivity,
    SurfaceClarify,
    FishSens,
    Background,
    ColorAdjust,
    ColorStyle,
    RouteColor,
    AdvancedMode,
    // Sonar page.
    DepthRange,
    SonarGain,
    SonarBeam,
    LoadNewColor,
    OverlapData,
    DepthOffset,
    TempOffset,
    VtgOffset,
    ShallowAlarm,
    Units,
    ChartSpeed,
    // GPS page.
    GpsFilter,
    DistanceUnit,
    SpeedUnit,
    TimeZone,
    Hour24,
    SampleStep,
    ArriveAlarm,
    CaliDisplayCompass,
    CaliBoatCompass,
    CompassTest,
    // Autopilot page.
    WiringTest,
    BoatType,
    ChannelsReverse,
    Ch1Speed,
    Ch2Speed,
    SteeringSens,
    // System page.
    Simulator,
    Backlight,
    KeyTone,
    Language,
    BaudRate,
    BatteryAlarm,
    BoatVtgAlarm,
    DefaultSettings,
    SystemInfo,
    RadioBind,
    UpdateRBoxes,
    BatteryReserve,
    EmptyVoltage,
    ReserveMargin,
    NmeaSentences,
    // Quick page.
    QuickMarker,
    Waypoint,
    Route,
    GoBack,
    SetHomePos,
    GoHome,
    StopAutopilot,
    ClearMap,
    ImportOutline,
    SelectPanel,
    DataLogger,
    WorkMode,
    MultiTarget,
    DevMode,
    CourseCruise,
    DepthMap,
    SonarHistory,
    // Every main-menu page ends with these two.
    Next,
    Exit,
};

struct StructMenuRow {
    EnumMenuAction action = EnumMenuAction::None;
    QString text;
};

// One page: its type key ("basic", "sonar", "gps", "ap", "system" or "quick"), its title and
// its rows, in the language of the moment it was made.
struct StructMenuPage {
    QString type;
    QString title;
    QVector<StructMenuRow> rows;

    QStringList texts() const;
    // The action of a row; None for a row the page does not have.
    EnumMenuAction action(int row) const;
};

namespace MenuPages {

// The page of a type for the product model letter ('4', '5' or 'd' make a difference: the
// sonar and quick pages of any other model have their title and no rows). An unknown type
// gives a page without title or rows.
StructMenuPage page(const QString& type, char model);

// The page after type in the main menu's ring: basic, sonar, gps, ap, system with the advanced
// mode on, basic and system without it. Empty for the quick page and unknown types.
QString next(const QString& type, int advancedMode);

// The code the "Invalid Item" box shows for a row without an action: "Main-B-00" and the row.
QString invalidCode(const QString& type, int row);

}  // namespace MenuPages

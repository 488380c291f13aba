#pragma once

#include <QString>

// The numbered messages the handset shows in its hint dialog. The number is what the user
// sees beside the message (and what the service manual lists), so each keeps its value.
enum class EnumHintCode {
    None = 0,
    ReadFailed = 101,            // a file could not be read
    KmlReadFailed = 102,         // a chosen file is not KML
    UpdateFileReadFailed = 103,  // a module update file is unusable
    SaveFailed = 104,
    CourseCopyFailed = 105,
    CourseReadFailed = 106,
    BindPowerOffFirst = 301,
    BindPowerOn = 302,
    BindNoAnswer = 303,
    StopInSimulator = 401,
    StopApOffline = 402,
    MarkTooFar = 403,
    HomeNotDefined = 404,
    GoInSimulator = 405,
    GoApOffline = 406,
    GoFewSatellites = 407,
    GoStopFirst = 408,
    GoTooFar = 409,
    GoBackTarget1Empty = 410,
    CompassNotConnected = 411,
    WiringTestInSimulator = 412,
    SetHomeInSimulator = 413,
    SetHomeFewSatellites = 414,
    WiringTestApOffline = 415,
    GoBackTargetTooFar = 416,
    CompassReadFailed = 417,
    TargetListEmpty = 418,
    GoBackTarget2Empty = 419,
    ApError = 501,
    BoatCompassFail = 601,
    BoatCompassFlashError = 602,
    MagneticInterference = 603,
    BoatCompassTimeout = 604,
    DepthMapEmpty = 701,       // nothing to export yet
    DepthMapSetAside = 702,    // the kept map was damaged
    DepthMapLogEmpty = 703,    // a log without a usable sounding
    ReplayLogEmpty = 704,      // a log to replay without one record
    ReplayLogCut = 705,        // a log to replay longer than the handset plays
    MarkWithoutFix = 706,      // a history column without a position
    GpxReadFailed = 707,       // a chosen file is not GPX
    GpxRouteTooLong = 708,     // a route with more points than a course holds
    GpxNothingToExport = 709,  // an empty course slot or no course recorded yet
};

namespace HintCode {

// The number as shown ("401"); None gives an empty text.
QString text(EnumHintCode code);
// The code a text names; None for a text that names none of them.
EnumHintCode fromText(const QString& text);

}  // namespace HintCode

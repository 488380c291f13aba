#pragma once

#include <QString>

// The navigation's decisions, apart from the screen: whether a go-to may start, whether a
// marked target is near enough, whether a stop is sent. Distances in metres.
namespace NaviRules {

// Points closer than this start by autopilot; marking reaches further.
constexpr float kGoToLimitM = 1000.0f;
constexpr float kMarkLimitM = 16000.0f;
// The autopilot counts as offline after this many seconds without its information.
constexpr int kApOfflineSeconds = 10;
// A saved home this close to the first fix is offered again.
constexpr float kHomeQuestionM = 100.0f;

struct StructGoToInput {
    QString taskMode;         // the autopilot's task mode letter
    bool simulator = false;   // the handset plays its built-in recording
    int noDataApSeconds = 0;  // seconds without the autopilot's information
    int satellites = 0;       // satellites of the boat's fix
    bool boatKnown = false;   // the map has the boat's position (a track point)
    float distance = 0;       // from the boat to the target
    float arriveLevel = 0;    // the arrival radius
};

enum class EnumGoTo { Refused, Arrived, Start };

struct StructGoToVerdict {
    EnumGoTo result = EnumGoTo::Refused;
    QString code;  // the hint of a refusal: "405" ... "409"
};

// In the handset's order: a running task, the simulator, an offline autopilot, too few
// satellites (or no position of the boat yet to measure from), then the distance.
StructGoToVerdict goTo(const StructGoToInput& in);

enum class EnumMark { Arrived, Mark, TooFar };
EnumMark markTarget(float distance, float arriveLevel);

enum class EnumStop { Simulator, Offline, Send };
EnumStop stop(bool simulator, int noDataApSeconds);

}  // namespace NaviRules

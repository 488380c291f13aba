#pragma once

#include <QString>

// The autopilot's task mode, the third field of its information sentence.
enum class EnumApMode {
    Unknown,   // empty, or a letter this handset does not know
    Run,       // "R": running a task
    Manual,    // "M": the remote control steers
    Finished,  // "F": the task's target is reached
    Stopped,   // "S": a task was stopped
    Error,     // "E"
    Test,      // "T": the wiring test
};

// The remote-control state, the fourth field.
enum class EnumRcState { Unknown, Active, Void };

namespace ApMode {

// The sentence's field as a mode (only its first letter counts), and back.
EnumApMode fromField(const QString& field);
QString toField(EnumApMode mode);
EnumRcState rcFromField(const QString& field);

}  // namespace ApMode

#pragma once

#include <QString>

// What a running autopilot task is heading for. The numbers are those the list modes store.
enum class EnumTargetType {
    TargetPoint = 0,        // a single point: a waypoint or the map cursor
    TargetHome = 1,         // home
    TargetGoBack1 = 2,      // the first leg of go-back
    TargetGoBack2 = 3,      // the second leg of go-back
    TargetMultiTarget = 4,  // the current point of a multi-target or course run
};

// The feedback dialog of a start: its confirmation key, title and text (the text without the
// ". Connecting the autopilot..." that follows it).
struct StructTargetFeedback {
    QString key;
    QString title;
    QString text;
};

namespace NaviTarget {

StructTargetFeedback feedback(EnumTargetType type);
// The listed text followed by ". Connecting the autopilot...".
QString connectingText(const QString& text);

}  // namespace NaviTarget

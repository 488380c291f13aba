#pragma once

#include <QString>
#include <QStringList>

struct StructConfiguration;

// The text messages that set up the sonar box, one per changed setting, each ending in '*'
// (the link appends the checksum byte). The combined message spells the fish sensitivity
// "Fsen", the single one "FSen": the box knows both.
namespace SonarConfigMessage {

// The packets to send for key, in order: "sens", "fsens", "gain", "freq" and "range" give one
// message; "all" gives the frequency/gain/range message and then the sensitivity message
// twice; "repeat" gives last again (nothing when none was sent yet). An unknown key gives
// nothing. The last packet becomes the new last message.
QStringList build(const QString& key, const StructConfiguration& cfg, const QString& last);

}  // namespace SonarConfigMessage

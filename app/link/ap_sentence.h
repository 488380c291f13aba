#pragma once

#include "base/configuration.h"

#include <QString>

// The sentences the handset sends the boat's autopilot: "$HM", a three-letter type, the fields
// after commas, then ",*" and the two upper-case hexadecimal digits of the checksum (the XOR of
// everything between the '$' and the '*'). No line ending.
namespace ApSentence {

// Closes body ("$HMCTL,RUN,1,2") with ",*" and its checksum.
QString seal(const QString& body);

// "$HMCTL," command "," a "," b ",*" hh.
QString control(const QString& command, const QString& a, const QString& b);
// Start: RUN with the target's longitude and latitude (ddS32, degrees x 10 000 000) as degrees
// with 7 decimals, longitude first.
QString start(int targetLon, int targetLat);
// Stop: STOP with two empty fields.
QString stop();
// "$HMPRA," with the seven settings of the configuration and four empty fields between the
// fifth and the sixth.
QString parameters(const StructConfiguration& cfg);
// "$HMHCK," direction "," speed: direction "forward", "left" or "right" (empty for anything
// else: nothing is sent); the speed is the smaller channel speed in two-engine mode, else
// channel 2's, truncated.
QString wiringTest(const QString& direction, const StructConfiguration& cfg);
// "$HMRST,*" hh: the autopilot restarts into its update loader.
QString reset();

}  // namespace ApSentence

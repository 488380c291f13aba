#pragma once

#include "boat_core.h"

#include <QByteArray>

// The virtual boat's control commands, one per line, as a test, a demo script or a developer
// gives them (korvel-vboat --control PATH, WIRE.md):
//   fault NAME [N]        a fault by name (BoatCore::setFaultByName), N: every nth frame
//   power on|off          the boat's power switch
//   rssi N|auto           force the signal strength to N dBm (-127..-1), or follow the distance
//   sats N|auto           the satellites the GPS reports (0..24), or as the sky gives
//   rate N                sonar frames per second (above 0, at most 50)
//   battery V|auto        the battery at V volts now (6.5..16.0), or as at the start again
//   battery per100m D     and D volts less for every 100 m the boat travels (0..5)
//   ap ack on|off         the autopilot acknowledges "$HMPRA" and "$HMHCK", or not
//   ap mode L             force the task mode letter (M R F S E T)
//   ap rc A|V             the remote control's state
//   version sonar N       the sonar box's version number (0..65535)
//   version ap X.YY       the autopilot's version
//   compass ok|fail|flash|none  how the next boat compass calibrations end
//   depth LAT LON         the lake's true depth at a point in degrees: "ok depth 3.45"
//   survey X Y W H SPACING [SPEED]  a lawnmower survey of a rectangle in local metres:
//                         "ok survey 5 lines 340 m"
//   status                one line of what the boat is doing
// The answer is "ok" (status: "ok" and its fields) or "error: " and the reason.
namespace vboat {

QByteArray controlCommand(BoatCore& core, const QByteArray& line, double now);

}  // namespace vboat

#pragma once

#include <QString>

// The virtual boat's control channel (korvel-vboat --control PATH, tools/vboat/WIRE.md): a
// Unix socket that takes one command per line and answers each with one line, "ok" or
// "error: ..." (a development machine's scripts switch the boat off, make the link weak, ...).
namespace BoatControl {

// KORVEL_VBOAT_CONTROL, else <root>/dev/vboat.ctl.
QString defaultPath();

// Sends one command line and waits up to timeoutMs for the answer line. False, with the reason
// in *error, when the channel cannot be reached or does not answer in time; the boat's own
// answer (which may be an error line) is in *answer.
bool send(const QString& line, QString* answer, QString* error, const QString& path = defaultPath(),
          int timeoutMs = 2000);

}  // namespace BoatControl

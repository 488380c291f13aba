#pragma once

#include "boat_core.h"

#include <QByteArray>

// The boat's end of the wire protocol described in WIRE.md: requests in, replies out.
namespace vboat {

namespace wire {
constexpr char kSpiWrite = 'W';
constexpr char kSpiRead = 'R';
constexpr char kSetLine = 'S';
constexpr char kGetLine = 'G';
constexpr char kVersion = 'V';
constexpr char kError = 'E';
constexpr int kProtocolVersion = 1;
constexpr int kMaxTransfer = 4096;

enum ErrorCode : quint8 { kUnknownRequest = 1, kTooLong = 2, kUnknownLine = 3, kBusy = 4 };
}  // namespace wire

// Takes every complete request from the front of input, runs it against the boat and
// appends its reply to output. An incomplete request stays in input. Returns false after
// a request that breaks the protocol: its error reply has been appended, and the
// connection is to be closed once the output has been sent.
bool serveRequests(QByteArray& input, QByteArray& output, BoatCore& boat, double now);

}  // namespace vboat

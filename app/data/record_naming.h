#pragma once

#include <QString>
#include <cstdint>
#include <functional>

// Names of the files the handset writes on the SD card: sonar logs and data-logger files.
namespace RecordNaming {

constexpr int kMaxNumber = 1000;

// "MMdd-hhmm" of a packed local date-time word (21 January 17:59 gives "0121-1759").
QString stamp(uint32_t boatTime);

// folder + prefix + stamp + extension. Without a GPS time (boatTime 0) the stamp is the first
// number from 0 for which no file exists. A stamped name that exists already gets "-1", "-2",
// ...: appending a second header to an earlier log would make its later records unreadable.
// Empty when every candidate up to kMaxNumber exists.
QString fileName(const QString& folder, const QString& prefix, const QString& extension,
                 uint32_t boatTime, const std::function<bool(const QString&)>& exists);

}  // namespace RecordNaming

#include "compass_cali.h"

namespace vboat {

namespace {
const struct {
    const char* name;
    CompassCali::Outcome outcome;
    char stage;  // 0: no report
} kOutcomes[] = {{"ok", CompassCali::Outcome::Success, '0'},
                 {"fail", CompassCali::Outcome::Fail, '1'},
                 {"flash", CompassCali::Outcome::FlashError, '2'},
                 {"none", CompassCali::Outcome::Silent, 0}};
}  // namespace

bool CompassCali::outcomeFromName(const QByteArray& name, Outcome& outcome) {
    for (const auto& entry : kOutcomes) {
        if (name == entry.name) {
            outcome = entry.outcome;
            return true;
        }
    }
    return false;
}

QByteArray CompassCali::nameOf(Outcome outcome) {
    for (const auto& entry : kOutcomes) {
        if (entry.outcome == outcome) return entry.name;
    }
    return "?";
}

bool CompassCali::start(double now) {
    if (now < endsAt_) return false;
    endsAt_ = now + kSeconds;
    return true;
}

QByteArray CompassCali::report(int sonarVersion) const {
    if (sonarVersion < kFirstReportingVersion) return QByteArray();
    for (const auto& entry : kOutcomes) {
        if (entry.outcome == outcome_ && entry.stage != 0) return QByteArray("CCR,") + entry.stage;
    }
    return QByteArray();
}

}  // namespace vboat

#include "control.h"

#include <QList>

#include <cmath>

namespace vboat {

namespace {

QByteArray error(const QByteArray& why) {
    return "error: " + why;
}

bool readInt(const QByteArray& text, int lo, int hi, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= lo && value <= hi;
}

bool readNumber(const QByteArray& text, double limit, double& value) {
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value) && std::fabs(value) <= limit;
}

QByteArray hundredths(int v) {
    return QByteArray::number(v / 100) + '.' + QByteArray::number(v % 100).rightJustified(2, '0');
}

QByteArray lifeName(const ModuleLife& life) {
    switch (life.state()) {
        case ModuleLife::State::Off:
            return "off";
        case ModuleLife::State::Booting:
            return "booting";
        case ModuleLife::State::On:
            return "on";
        case ModuleLife::State::Loader:
            return "loader";
    }
    return "?";
}

QByteArray linkName(LinkFault fault) {
    return fault == LinkFault::Weak ? "weak" : fault == LinkFault::Lost ? "lost" : "none";
}

QByteArray surveyName(const SurveyProgress& p) {
    if (p.done) return "done";
    if (p.lines == 0) return "-";
    return QByteArray::number(p.line) + '/' + QByteArray::number(p.lines);
}

QByteArray depth(BoatCore& core, const QList<QByteArray>& w) {
    double lat = 0;
    double lon = 0;
    if (w.size() != 3 || !readNumber(w[1], 90, lat) || !readNumber(w[2], 180, lon))
        return error("depth LAT LON: decimal degrees, LAT -90 to 90, LON -180 to 180");
    return "ok depth " + QByteArray::number(core.sim().trueDepthAt(lat, lon), 'f', 2);
}

QByteArray survey(BoatCore& core, const QList<QByteArray>& w) {
    constexpr double kFar = 100000;  // metres: no lake is wider
    constexpr int kMaxLines = 1000;
    const QByteArray usage = "survey X Y W H SPACING [SPEED]: ";
    double v[6] = {0, 0, 0, 0, 0, 0};
    if (w.size() != 6 && w.size() != 7) return error(usage + "five or six numbers");
    for (int i = 1; i < w.size(); ++i)
        if (!readNumber(w[i], kFar, v[i - 1]))
            return error(usage + "\"" + w[i] + "\" is not a number of metres (or m/s)");
    const double width = v[2];
    const double height = v[3];
    const double spacing = v[4];
    if (!(width > 0 && height > 0 && spacing > 0)) return error(usage + "W, H, SPACING above 0");
    if (spacing > width && spacing > height)
        return error(usage + "SPACING wider than both W and H");
    if (w.size() == 7 && !(v[5] > 0 && v[5] <= 10))
        return error(usage + "SPEED above 0, at most 10 (m/s)");
    if (surveyLineCount(height, spacing) > kMaxLines)
        return error(usage + "more than " + QByteArray::number(kMaxLines) + " lines");
    // The autopilot's task ends: the survey is the remote control's run for now.
    core.autopilot().setTaskMode('M');
    const SurveyPlan plan = core.sim().survey(v[0], v[1], width, height, spacing, v[5]);
    return "ok survey " + QByteArray::number(plan.lines) + " lines " +
           QByteArray::number(qRound64(plan.lengthM)) + " m";
}

QByteArray battery(BoatCore& core, const QList<QByteArray>& w) {
    BoatSim& sim = core.sim();
    double volts = 0;
    if (w.size() == 2 && w[1] == "auto") {
        sim.batteryAuto();
    } else if (w.size() == 3 && w[1] == "per100m") {
        if (!readNumber(w[2], 5, volts) || volts < 0)
            return error("battery per100m D: D is 0 to 5 (volts per 100 m)");
        sim.setBatteryDropPer100m(volts);
    } else if (w.size() == 2 && readNumber(w[1], 16, volts) && volts >= 6.5) {
        sim.setBatteryVolts(volts);
    } else {
        return error("battery V|auto, battery per100m D: V is 6.5 to 16.0 (volts)");
    }
    return "ok";
}

QByteArray status(BoatCore& core, double now) {
    const BoatVersions v = core.versions();
    Autopilot& ap = core.autopilot();
    return "ok power=" + QByteArray(core.poweredOn() ? "on" : "off") + " sonar=" +
           QByteArray(core.inLoader()    ? "loader"
                      : core.poweredOn() ? "on"
                                         : "off") +
           " autopilot=" + lifeName(ap.life()) + " mode=" + ap.taskMode() + " rc=" + ap.rcState() +
           " ack=" + (ap.acknowledging() ? "on" : "off") +
           " sonar-version=" + QByteArray::number(v.app) +
           " ap-version=" + hundredths(v.autopilot) +
           " distance=" + QByteArray::number(qRound64(core.sim().distanceFromShore())) +
           " rate=" + QByteArray::number(core.frameRate()) + " link=" + linkName(core.linkFault()) +
           " compass=" + CompassCali::nameOf(core.compassCali().outcome()) +
           " survey=" + surveyName(core.sim().surveyProgress()) + " held=" +
           (ap.heldFor(now) < 0 ? QByteArray("-") : QByteArray::number(ap.heldFor(now), 'f', 1)) +
           " battery=" + QByteArray::number(core.sim().batteryTenths() / 10.0, 'f', 1) +
           " travelled=" + QByteArray::number(qRound64(core.sim().travelled()));
}

}  // namespace

QByteArray controlCommand(BoatCore& core, const QByteArray& line, double now) {
    const QList<QByteArray> w = line.simplified().split(' ');
    const QByteArray& verb = w[0];
    const int n = w.size();
    if (verb == "fault" && (n == 2 || n == 3)) {
        int every = 1;
        if (n == 3 && !readInt(w[2], 1, 1000000, every))
            return error("fault NAME [N]: N is a whole number, 1 or more");
        if (!core.setFaultByName(QString::fromLatin1(w[1]), every))
            return error("unknown fault \"" + w[1] + "\"");
        return "ok";
    }
    if (verb == "power" && n == 2 && (w[1] == "on" || w[1] == "off")) {
        if (w[1] == "on") {
            core.powerOn(now);
        } else {
            core.powerOff();
        }
        return "ok";
    }
    if (verb == "rssi" && n == 2) {
        int dbm = 0;
        if (w[1] != "auto" && !readInt(w[1], -127, -1, dbm))
            return error("rssi N|auto: N is -127 to -1 (dBm)");
        core.setRssiOverride(dbm);
        return "ok";
    }
    if (verb == "sats" && n == 2) {
        int count = -1;
        if (w[1] != "auto" && !readInt(w[1], 0, 24, count))
            return error("sats N|auto: N is 0 to 24");
        core.setSatellitesOverride(count);
        return "ok";
    }
    if (verb == "rate" && n == 2) {
        bool ok = false;
        const double rate = w[1].toDouble(&ok);
        if (!ok || !(rate > 0 && rate <= 50)) return error("rate N: N above 0 and at most 50");
        core.setFrameRate(rate);
        return "ok";
    }
    if (verb == "ap" && n == 3) {
        Autopilot& ap = core.autopilot();
        if (w[1] == "ack" && (w[2] == "on" || w[2] == "off")) {
            ap.setAcknowledging(w[2] == "on");
            return "ok";
        }
        if (w[1] == "mode" && w[2].size() == 1 && QByteArray("MRFSET").contains(w[2][0])) {
            ap.setTaskMode(w[2][0]);
            return "ok";
        }
        if (w[1] == "rc" && (w[2] == "A" || w[2] == "V")) {
            ap.setRcState(w[2][0]);
            return "ok";
        }
        return error("ap ack on|off, ap mode M|R|F|S|E|T, ap rc A|V");
    }
    if (verb == "version" && n == 3) {
        BoatVersions v = core.versions();
        if (w[1] == "sonar") {
            int value = 0;
            if (!readInt(w[2], 0, 65535, value)) return error("version sonar N: N is 0 to 65535");
            v.app = quint16(value);
        } else if (w[1] == "ap") {
            bool ok = false;
            const double value = w[2].toDouble(&ok);
            if (!ok || !(value >= 0 && value <= 655.35))
                return error("version ap X.YY: 0.00 to 655.35");
            v.autopilot = quint16(std::lround(value * 100));
        } else {
            return error("version sonar N, version ap X.YY");
        }
        core.setVersions(v);
        return "ok";
    }
    if (verb == "compass" && n == 2) {
        CompassCali::Outcome outcome = CompassCali::Outcome::Success;
        if (!CompassCali::outcomeFromName(w[1], outcome))
            return error("compass ok|fail|flash|none");
        core.compassCali().setOutcome(outcome);
        return "ok";
    }
    if (verb == "battery") return battery(core, w);
    if (verb == "depth") return depth(core, w);
    if (verb == "survey") return survey(core, w);
    if (verb == "status" && n == 1) return status(core, now);
    return error(
        "unknown command \"" + line.simplified() +
        "\" (fault, power, rssi, sats, rate, battery, ap, version, compass, depth, survey, "
        "status)");
}

}  // namespace vboat

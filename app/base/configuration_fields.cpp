#include "base/configuration_fields.h"

#include <vector>

namespace {

using C = StructConfiguration;

// One field: a float (its range checked as a loaded file's is) or an int with its choices.
struct Field {
    const char* name;
    float C::*f;
    int C::*i;
    int low;
    int high;
};

Field floatField(const char* name, float C::*f) {
    return {name, f, nullptr, 0, 0};
}
Field intField(const char* name, int C::*i, int low, int high) {
    return {name, nullptr, i, low, high};
}

const std::vector<Field>& fields() {
    static const std::vector<Field> table = {
        floatField("sonarSensitivity", &C::sonarSensitivity),
        floatField("fishSensitivity", &C::fishSensitivity),
        floatField("surfaceClarify", &C::surfaceClarify),
        intField("backgroundColor", &C::backgroundColor, 0, 2),
        intField("colorScheme", &C::colorScheme, 0, 2),
        floatField("colorLine", &C::colorLine),
        intField("advancedMode", &C::advancedMode, 0, 1),
        intField("sonarGain", &C::sonarGain, 0, 3),
        intField("sonarFreq", &C::sonarFreq, 0, 1),
        floatField("depthRange", &C::depthRange),
        floatField("shallowAlarmLevel", &C::shallowAlarmLevel),
        intField("showOverlapData_Depth", &C::showOverlapData_Depth, 0, 1),
        intField("showOverlapData_Temperature", &C::showOverlapData_Temperature, 0, 1),
        intField("showOverlapData_BoatBat", &C::showOverlapData_BoatBat, 0, 1),
        intField("unit", &C::unit, 0, 3),
        floatField("depthOffset", &C::depthOffset),
        floatField("tempOffset", &C::tempOffset),
        floatField("vtgOffset", &C::vtgOffset),
        intField("bottomLine", &C::bottomLine, 0, 1),
        floatField("chartSpeed", &C::chartSpeed),
        intField("distanceUnit", &C::distanceUnit, 0, 3),
        intField("speedUnit", &C::speedUnit, 0, 3),
        intField("hourSystem", &C::hourSystem, 0, 1),
        floatField("timeZone", &C::timeZone),
        floatField("gpsFilter", &C::gpsFilter),
        floatField("sampleDst", &C::sampleDst),
        floatField("arriveAlarmLevel", &C::arriveAlarmLevel),
        intField("apMode", &C::apMode, 0, 2),
        intField("apCh1Reverse", &C::apCh1Reverse, 0, 1),
        intField("apCh2Reverse", &C::apCh2Reverse, 0, 1),
        floatField("apCh1Speed", &C::apCh1Speed),
        floatField("apCh2Speed", &C::apCh2Speed),
        floatField("apSenitivity", &C::apSenitivity),
        intField("systemLanguage", &C::systemLanguage, 0, 7),
        intField("workMode", &C::workMode, 0, 2),
        intField("devMode", &C::devMode, 0, 1),
        intField("screenMode", &C::screenMode, 0, 3),
        intField("simulator", &C::simulator, 0, 1),
        intField("keyTone", &C::keyTone, 0, 1),
        floatField("backLight", &C::backLight),
        floatField("batteryAlarmLevel", &C::batteryAlarmLevel),
        floatField("boatVoltageAlarmLevel", &C::boatVoltageAlarmLevel),
        intField("dataExport", &C::dataExport, 0, 2),
        intField("baudRate", &C::baudRate, 0, 3),
        intField("reserveAlarm", &C::reserveAlarm, 0, 1),
        floatField("reserveEmptyVolts", &C::reserveEmptyVolts),
        floatField("reserveMarginVolts", &C::reserveMarginVolts),
        intField("nmeaSentences", &C::nmeaSentences, 0, 1),
    };
    return table;
}

constexpr const char* kPanelPrefix = "textDataToShow_";
constexpr int kPanelCodeMax = 8;

}  // namespace

namespace ConfigurationFields {

QStringList names() {
    QStringList n;
    for (const Field& f : fields())
        n << QLatin1String(f.name);
    for (int i = 0; i < 6; ++i)
        n << QLatin1String(kPanelPrefix) + QString::number(i);
    return n;
}

bool set(StructConfiguration& cfg, const QString& name, const QString& value) {
    bool ok = false;
    if (name.startsWith(QLatin1String(kPanelPrefix))) {
        bool okPanel = false;
        const int panel = name.mid(int(qstrlen(kPanelPrefix))).toInt(&okPanel);
        const int code = value.toInt(&ok);
        if (!ok || !okPanel || panel < 0 || panel > 5 || code < 0 || code > kPanelCodeMax ||
            name != QLatin1String(kPanelPrefix) + QString::number(panel))
            return false;
        cfg.textDataToShow[panel] = code;
        return true;
    }
    for (const Field& f : fields()) {
        if (name != QLatin1String(f.name)) continue;
        if (f.i) {
            const int v = value.toInt(&ok);
            if (!ok || v < f.low || v > f.high) return false;
            cfg.*f.i = v;
            return true;
        }
        StructConfiguration changed = cfg;
        changed.*f.f = value.toFloat(&ok);
        if (!ok || !Configuration::inRange(changed)) return false;
        cfg = changed;
        return true;
    }
    return false;
}

}  // namespace ConfigurationFields

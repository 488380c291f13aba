#include "base/configuration.h"

#include "base/ini_file.h"

#include <QSettings>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

enum class Read { Int, Bool, Float, TruncatedFloat, IntAsFloat, NotRead };

// One INI key. A key names exactly one of: a float field, an int field, a panel entry.
struct Key {
    const char* name;
    float StructConfiguration::*floatField;
    int StructConfiguration::*intField;
    int panel;
    Read read;
};

constexpr float StructConfiguration::*noFloat = nullptr;
constexpr int StructConfiguration::*noInt = nullptr;

Key floatKey(const char* name, float StructConfiguration::*f, Read read = Read::Float) {
    return {name, f, noInt, -1, read};
}
Key intKey(const char* name, int StructConfiguration::*i, Read read = Read::Int) {
    return {name, noFloat, i, -1, read};
}
Key panelKey(const char* name, int panel) {
    return {name, noFloat, noInt, panel, Read::Int};
}

// The file's keys in their write order; the key texts are part of the file format.
const std::vector<Key>& keys() {
    using C = StructConfiguration;
    static const std::vector<Key> table = {
        panelKey("Other/textDataToShow_1", 1),
        panelKey("Other/textDataToShow_2", 2),
        panelKey("Other/textDataToShow_3", 3),
        panelKey("Other/textDataToShow_4", 4),
        intKey("Other/hourSystem", &C::hourSystem, Read::Bool),
        intKey("Other/showOverlapData_Depth", &C::showOverlapData_Depth, Read::Bool),
        intKey("Other/showOverlapData_Temperature", &C::showOverlapData_Temperature, Read::Bool),
        intKey("Other/showOverlapData_BoatBat", &C::showOverlapData_BoatBat, Read::Bool),
        floatKey("Basic/sonarSensitivity", &C::sonarSensitivity),
        intKey("Basic/sonarGain", &C::sonarGain),
        intKey("Basic/sonarFreq", &C::sonarFreq),
        floatKey("Basic/surfaceClarify", &C::surfaceClarify),
        floatKey("Basic/fishSensitivity", &C::fishSensitivity),
        floatKey("Basic/depthRange", &C::depthRange),
        floatKey("Basic/maxDepthRange", &C::depthRange, Read::NotRead),
        floatKey("Basic/shallowAlarmLevel", &C::shallowAlarmLevel),
        floatKey("Basic/batteryAlarmLevel", &C::batteryAlarmLevel),
        floatKey("Basic/boatVoltageAlarmLevel", &C::boatVoltageAlarmLevel),
        intKey("Sonar/colorScheme", &C::colorScheme),
        intKey("Sonar/backgroundColor", &C::backgroundColor),
        floatKey("Sonar/colorLine", &C::colorLine),
        floatKey("Sonar/backLight", &C::backLight),
        intKey("Sonar/keyTone", &C::keyTone, Read::Bool),
        intKey("Sonar/unit", &C::unit),
        intKey("Sonar/bottomLine", &C::bottomLine, Read::NotRead),
        intKey("Sonar/systemLanguage", &C::systemLanguage),
        floatKey("Sonar/depthOffset", &C::depthOffset),
        floatKey("Sonar/tempOffset", &C::tempOffset),
        floatKey("Sonar/vtgOffset", &C::vtgOffset),
        intKey("Sonar/baudRate", &C::baudRate),
        intKey("Sonar/simulator", &C::simulator, Read::NotRead),
        floatKey("Sonar/chartSpeed", &C::chartSpeed, Read::TruncatedFloat),
        floatKey("GPS/gpsFilter", &C::gpsFilter),
        intKey("GPS/distanceUnit", &C::distanceUnit),
        intKey("GPS/speedUnit", &C::speedUnit),
        floatKey("GPS/timeZone", &C::timeZone),
        floatKey("GPS/sampleDst", &C::sampleDst),
        floatKey("GPS/arriveAlarmLevel", &C::arriveAlarmLevel),
        intKey("Ap/apMode", &C::apMode),
        intKey("Ap/apCh1Reverse", &C::apCh1Reverse),
        intKey("Ap/apCh2Reverse", &C::apCh2Reverse),
        floatKey("Ap/apCh1Speed", &C::apCh1Speed, Read::IntAsFloat),
        floatKey("Ap/apCh2Speed", &C::apCh2Speed, Read::IntAsFloat),
        floatKey("Ap/apSenitivity", &C::apSenitivity),
        intKey("Basic/reserveAlarm", &C::reserveAlarm, Read::Bool),
        floatKey("Basic/reserveEmptyVolts", &C::reserveEmptyVolts),
        floatKey("Basic/reserveMarginVolts", &C::reserveMarginVolts),
        intKey("Basic/nmeaSentences", &C::nmeaSentences),
    };
    return table;
}

// Fields whose value indexes a fixed table or choice list: a stored value outside the range
// would read past the table, so it falls back to the default.
struct Bounded {
    int StructConfiguration::*field;
    int low;
    int high;
};

const Bounded kBounded[] = {
    {&StructConfiguration::backgroundColor, 0, 2},
    {&StructConfiguration::colorScheme, 0, 2},
    {&StructConfiguration::sonarGain, 0, 3},
    {&StructConfiguration::sonarFreq, 0, 1},
    {&StructConfiguration::unit, 0, 3},
    {&StructConfiguration::distanceUnit, 0, 3},
    {&StructConfiguration::speedUnit, 0, 3},
    {&StructConfiguration::apMode, 0, 2},
    {&StructConfiguration::systemLanguage, 0, 7},
    {&StructConfiguration::baudRate, 0, 3},
    {&StructConfiguration::nmeaSentences, 0, 1},
};
constexpr int kPanelCodeMax = 8;

// The float fields' ranges as the menus offer them. A value outside (1e30, -5 from a damaged
// file) would blank the echogram or drive the backlight out of its scale, so it falls back to
// the default like an integer out of range. offValue: a value outside the range that also
// stands for a setting (0 = AUTO or OFF).
struct FloatRange {
    float StructConfiguration::*field;
    float low;
    float high;
    float offValue;
};

constexpr float kNoOff = -1000;
const FloatRange kFloatRanges[] = {
    {&StructConfiguration::sonarSensitivity, 0, 9, kNoOff},
    {&StructConfiguration::fishSensitivity, 0, 9, kNoOff},
    {&StructConfiguration::surfaceClarify, 0, 2, kNoOff},
    {&StructConfiguration::colorLine, -20, 21, kNoOff},
    {&StructConfiguration::depthRange, 5, 50, 0},
    {&StructConfiguration::shallowAlarmLevel, 0, 2, kNoOff},
    {&StructConfiguration::depthOffset, -2, 2, kNoOff},
    {&StructConfiguration::tempOffset, -2, 2, kNoOff},
    {&StructConfiguration::vtgOffset, -2, 2, kNoOff},
    {&StructConfiguration::chartSpeed, 0, 9, kNoOff},
    {&StructConfiguration::timeZone, -12, 12, kNoOff},
    {&StructConfiguration::gpsFilter, 1, 20, kNoOff},
    {&StructConfiguration::sampleDst, 1, 20, kNoOff},
    {&StructConfiguration::arriveAlarmLevel, 2, 20, kNoOff},
    {&StructConfiguration::apCh1Speed, 10, 100, kNoOff},
    {&StructConfiguration::apCh2Speed, 10, 100, kNoOff},
    {&StructConfiguration::apSenitivity, 1, 10, kNoOff},
    {&StructConfiguration::backLight, 1, 9, kNoOff},
    {&StructConfiguration::batteryAlarmLevel, 7.9f, 18, kNoOff},
    {&StructConfiguration::boatVoltageAlarmLevel, 7.9f, 18, kNoOff},
    {&StructConfiguration::reserveEmptyVolts, 6, 16, kNoOff},
    {&StructConfiguration::reserveMarginVolts, 0.1f, 2, kNoOff},
};
// Stored values carry float rounding: 7.9 may come back a hair below.
constexpr float kSlack = 0.001f;

// A serialised value that a power cut or a bad copy truncated comes back as its raw text;
// it holds nothing to read, so the field keeps what it had.
bool isDamagedVariant(const QVariant& v) {
    return v.userType() == QMetaType::QString &&
           v.toString().startsWith(QLatin1String("@Variant("));
}

// False when the stored value was damaged (the field keeps what it had).
bool readKey(const IniFile& ini, const Key& key, StructConfiguration& cfg) {
    const QVariant v = ini.value(QLatin1String(key.name));
    if (isDamagedVariant(v)) return false;
    if (key.panel >= 0) {
        cfg.textDataToShow[key.panel] = v.toInt();
        return true;
    }
    switch (key.read) {
        case Read::Int:
            cfg.*key.intField = v.toInt();
            break;
        case Read::Bool:
            cfg.*key.intField = v.toBool() ? 1 : 0;
            break;
        case Read::Float:
            cfg.*key.floatField = v.toFloat();
            break;
        case Read::TruncatedFloat: {
            // Truncated toward zero to a whole number; a negative speed has no meaning.
            const float f = v.toFloat();
            cfg.*key.floatField = f > 0 ? std::trunc(f) : 0.0f;
            break;
        }
        case Read::IntAsFloat:
            cfg.*key.floatField = float(v.toInt());
            break;
        case Read::NotRead:
            break;
    }
    return true;
}

void bringIntoRange(StructConfiguration& cfg, const StructConfiguration& before) {
    StructConfiguration defaults = before;  // keeps the language and mode in force
    Configuration::applyDefaults(defaults);
    for (const Bounded& b : kBounded) {
        if (cfg.*b.field < b.low || cfg.*b.field > b.high) cfg.*b.field = defaults.*b.field;
    }
    for (int i = 0; i < 6; ++i) {
        if (cfg.textDataToShow[i] < 0 || cfg.textDataToShow[i] > kPanelCodeMax)
            cfg.textDataToShow[i] = defaults.textDataToShow[i];
    }
    // A float that is not a number (a damaged file) would poison every comparison downstream;
    // one out of its range would be shown or sent as nonsense.
    for (const FloatRange& r : kFloatRanges) {
        const float v = cfg.*r.field;
        const bool inRange = v >= r.low - kSlack && v <= r.high + kSlack;
        if (!std::isfinite(v) || (!inRange && v != r.offValue)) cfg.*r.field = defaults.*r.field;
    }
}

}  // namespace

namespace Configuration {

void applyDefaults(StructConfiguration& cfg) {
    const int language = cfg.systemLanguage;
    const int devMode = cfg.devMode;
    cfg = StructConfiguration{};
    cfg.sonarSensitivity = 0;
    cfg.fishSensitivity = 6;
    cfg.surfaceClarify = 0;
    cfg.backgroundColor = 1;
    cfg.colorScheme = 2;
    cfg.colorLine = 0;
    cfg.advancedMode = 0;
    cfg.sonarGain = 3;
    cfg.sonarFreq = 0;
    cfg.depthRange = 0;
    cfg.shallowAlarmLevel = 0;
    cfg.showOverlapData_Depth = 1;
    cfg.showOverlapData_Temperature = 1;
    cfg.showOverlapData_BoatBat = 1;
    cfg.unit = 0;
    cfg.depthOffset = 0;
    cfg.tempOffset = 0;
    cfg.vtgOffset = 0;
    cfg.bottomLine = 1;
    cfg.chartSpeed = 0;
    cfg.distanceUnit = 2;
    cfg.speedUnit = 2;
    cfg.hourSystem = 1;
    cfg.timeZone = 8;
    cfg.gpsFilter = 20;
    cfg.sampleDst = 5;
    cfg.arriveAlarmLevel = 3;
    cfg.apMode = 0;
    cfg.apCh1Reverse = 1;
    cfg.apCh2Reverse = 0;
    cfg.apCh1Speed = 100;
    cfg.apCh2Speed = 100;
    cfg.apSenitivity = 5;
    cfg.systemLanguage = language;
    cfg.workMode = 0;
    cfg.devMode = devMode;
    cfg.screenMode = 2;
    cfg.simulator = 0;
    cfg.keyTone = 1;
    cfg.backLight = 9;
    const int panels[6] = {2, 5, 0, 8, 7, 4};
    std::copy(std::begin(panels), std::end(panels), cfg.textDataToShow);
    cfg.batteryAlarmLevel = 10;
    cfg.boatVoltageAlarmLevel = 10;
    cfg.dataExport = 0;
    cfg.baudRate = 3;
    cfg.reserveAlarm = 1;
    cfg.reserveEmptyVolts = 10.5f;
    cfg.reserveMarginVolts = 0.5f;
    cfg.nmeaSentences = 0;
}

bool inRange(const StructConfiguration& cfg) {
    StructConfiguration copy = cfg;
    bringIntoRange(copy, cfg);
    return std::memcmp(&copy, &cfg, sizeof cfg) == 0;
}

int load(const QString& fileName, StructConfiguration& cfg, QString* problem) {
    const IniFile ini(fileName);
    QString trouble;
    switch (ini.state()) {
        case IniFile::EnumState::Missing:
            return 0;
        case IniFile::EnumState::NotAFile:
            trouble = QStringLiteral("not a regular file");
            break;
        case IniFile::EnumState::TooLarge:
            trouble = QStringLiteral("too large to be a settings file");
            break;
        case IniFile::EnumState::Unreadable:
            trouble = QStringLiteral("cannot be read");
            break;
        case IniFile::EnumState::Read:
            if (ini.formatError()) trouble = QStringLiteral("damaged");
            break;
    }
    if (problem && !trouble.isEmpty()) *problem = trouble;
    if (ini.state() != IniFile::EnumState::Read) return 0;
    const StructConfiguration before = cfg;
    int found = 0;
    for (const Key& key : keys()) {
        if (key.read == Read::NotRead || !ini.contains(QLatin1String(key.name))) continue;
        if (!readKey(ini, key, cfg) && problem) *problem = QStringLiteral("damaged");
        ++found;
    }
    bringIntoRange(cfg, before);
    return found;
}

bool save(const QString& fileName, const StructConfiguration& cfg) {
    if (!IniFile::mayWrite(fileName)) return false;
    QSettings ini(fileName, QSettings::IniFormat);
    for (const Key& key : keys()) {
        QVariant v;
        if (key.panel >= 0) {
            v = cfg.textDataToShow[key.panel];
        } else if (key.floatField) {
            v = QVariant::fromValue<float>(cfg.*key.floatField);
        } else {
            v = cfg.*key.intField;
        }
        ini.setValue(QLatin1String(key.name), v);
    }
    ini.sync();
    return ini.status() == QSettings::NoError;
}

}  // namespace Configuration

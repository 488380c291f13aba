#include "ui/screens/info_pan_content.h"

#include "base/global.h"
#include "base/tr_resource.h"
#include "data/kvlw_time.h"

namespace {

const QString kUnknown = QStringLiteral("-.-");

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A unit label of the unit routines in the language of the day; one they do not give stays.
QString shownUnit(const QString& unit) {
    static const struct {
        const char* label;
        EnumTrString text;
    } kUnits[] = {{"KPH", TR_UnitKph},  {"Knot", TR_UnitKnot}, {"m/s", TR_UnitMps},
                  {"ft/s", TR_UnitFps}, {"KM", TR_UnitKm},     {"Yard", TR_UnitYard},
                  {"m", TR_UnitMetre},  {"ft", TR_UnitFoot},   {"v", TR_UnitVolt}};
    for (const auto& u : kUnits) {
        if (unit == QLatin1String(u.label)) return TrResource::getTrString(u.text);
    }
    return unit;
}

// "Speed: m/s": a title with the unit its value is in.
QString titleWithUnit(EnumTrString text, const QString& unit) {
    return TrResource::getTrString(text) + QStringLiteral(": ") + shownUnit(unit);
}

// 24-hour "13:05:09", or 12-hour "01:05:09 PM" with midnight and noon as 12.
QString timeText(unsigned word) {
    quint8 hour = 0, minute = 0, second = 0;
    Global::getKvlwTime(word, hour, minute, second);
    const bool twelveHour = Global::configuration.hourSystem == 0;
    int shownHour = hour;
    if (twelveHour) shownHour = hour % 12 == 0 ? 12 : hour % 12;
    QString text = twoDigits(shownHour) + QLatin1Char(':') + twoDigits(minute) + QLatin1Char(':') +
                   twoDigits(second);
    if (twelveHour) text += hour < 12 ? QStringLiteral(" AM") : QStringLiteral(" PM");
    return text;
}

// "24-03-07": year, month, day, two digits each.
QString dateText(unsigned word) {
    quint16 year = 0;
    quint8 month = 0, day = 0;
    Global::getKvlwDate(word, year, month, day);
    return twoDigits(year % 100) + QLatin1Char('-') + twoDigits(month) + QLatin1Char('-') +
           twoDigits(day);
}

// Loaded once and shared by every panel that shows them.
const QPixmap& satelliteIcon() {
    static const QPixmap icon(QStringLiteral(":/ico/gps1"));
    return icon;
}

const QPixmap& targetIcon() {
    static const QPixmap icon(QStringLiteral(":/ico/target"));
    return icon;
}

}  // namespace

namespace InfoPanContent {

QStringList menuRows() {
    QStringList rows;
    for (int text = TR_TimeOfDay; text <= TR_DstToTarget; ++text)
        rows << TrResource::getTrString(EnumTrString(text));
    return rows;
}

int codeForMenuRow(int row) {
    static const int codes[kMenuRows] = {CodeTimeOfDay, CodeHeading,    CodeSpeed,
                                         CodeDate,      CodeFromHome,   CodeMainBat,
                                         CodeSatellite, CodeDstToTarget};
    return row >= 0 && row < kMenuRows ? codes[row] : -1;
}

bool build(int code, const StructInfoPanSource& source, StructInfoPan* out) {
    const StructBoatValues& boat = source.boat;
    // What the boat reports shows "-.-" until a frame has arrived and once the link has gone
    // silent, as the echogram's read-outs do; the clock also waits for the first GPS time.
    const bool measured = boat.measured;
    const bool timeKnown = measured && boat.boat_time != 0;
    StructInfoPan info;
    switch (code) {
        case CodeTimeOfDay:
            info.title = TrResource::getTrString(TR_TimeOfDay);
            info.value = timeKnown ? timeText(boat.boat_time) : kUnknown;
            break;
        case CodeHeading:
            info.title = TrResource::getTrString(TR_Heading) + QStringLiteral(": \u00b0");
            info.value = measured ? QString::number(double(boat.boat_heading), 'f', 0) : kUnknown;
            break;
        case CodeSpeed:
            info.title = titleWithUnit(TR_Speed, Global::getString_speedUnit());
            info.value = measured ? Global::getString_speedValue(boat.boat_speed, 1) : kUnknown;
            break;
        case CodeDate:
            info.title = TrResource::getTrString(TR_Date);
            info.value = timeKnown ? dateText(boat.boat_time) : kUnknown;
            break;
        case CodeFromHome:
            info.title = titleWithUnit(TR_FromHome, Global::getString_dstUnit());
            info.value = Global::getString_dstValue(source.dstFromHome, 1, true);
            break;
        case CodeMainBat:
            // The handset's own battery; 0 is no valid reading of the ADC.
            info.title = titleWithUnit(TR_MainBat, QStringLiteral("v"));
            info.value = boat.handset_voltage > 0
                             ? QString::number(double(boat.handset_voltage), 'f', 1)
                             : kUnknown;
            break;
        case CodeSatellite:
            info.title = TrResource::getTrString(TR_Satellite);
            info.value = measured ? QString::number(boat.gps_satellites) : kUnknown;
            info.icon = satelliteIcon();
            break;
        case CodeDstToTarget:
            info.title = titleWithUnit(TR_DstToTarget, Global::getString_dstUnit());
            info.value = Global::getString_dstValue(source.dstToTarget, 1, true);
            info.icon = targetIcon();
            break;
        default:
            return false;
    }
    *out = info;
    return true;
}

QString distanceText(float metres) {
    return Global::getString_dstValue(metres, 1, true) + QLatin1Char(' ') +
           Global::getString_dstUnit();
}

}  // namespace InfoPanContent

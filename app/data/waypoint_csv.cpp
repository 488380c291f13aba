#include "data/waypoint_csv.h"

#include "data/record_naming.h"
#include "navi/convert.h"

#include <QStringList>

namespace {
const QString kEnd = QStringLiteral("\r\n");
}

namespace WaypointCsv {

QString fileName(uint32_t boatTime) {
    return QLatin1String(kFolder) + QStringLiteral("Sablo_Waypoint_") +
           RecordNaming::stamp(boatTime) + QStringLiteral(".csv");
}

QString field(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    bool quote = false;
    for (const QChar c : text)
        quote = quote || special.contains(c);
    if (!quote) return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString line(const StructWaypoint& w) {
    const double lat = Convert::dmString_to_ddS32_Lat(w.latitude) / 10000000.0;
    const double lon = Convert::dmString_to_ddS32_Lon(w.longitude) / 10000000.0;
    const QString date =
        w.date == StructWaypoint::emptyDate() ? w.date : QStringLiteral("20") + w.date;
    const QStringList fields = {QString::number(w.slot()),
                                field(w.name),
                                QString::number(lat, 'f', 6),
                                QString::number(lon, 'f', 6),
                                QString::number(double(w.depth), 'f', 1),
                                field(date),
                                field(w.time)};
    return fields.join(QLatin1Char(',')) + QLatin1Char(',') + kEnd;
}

QByteArray build(const QVector<StructWaypoint>& waypoints) {
    QString text = QStringLiteral("SN,Name,Latitude,Longitude,Depth,Date,Time,") + kEnd +
                   QStringLiteral(",,(dd.dddddd),(ddd.dddddd),(m),,,") + kEnd;
    for (const StructWaypoint& w : waypoints) {
        if (!w.isEmpty()) text += line(w);
    }
    return text.toLatin1();
}

}  // namespace WaypointCsv

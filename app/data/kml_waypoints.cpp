#include "data/kml_waypoints.h"

namespace KmlWaypoints {

QVector<StructKmlWaypoint> fromDocument(const StructKmlDocument& doc) {
    QVector<StructKmlWaypoint> out;
    out.reserve(doc.placemarks.size());
    for (const StructKmlPlacemark& p : doc.placemarks) {
        StructKmlWaypoint w{p.name, 0, 0};
        if (!p.lines.isEmpty() && !p.lines.first().isEmpty()) {
            w.longitude = p.lines.first().first().lon;
            w.latitude = p.lines.first().first().lat;
        }
        out.append(w);
    }
    return out;
}

QString rangeText(int first, int last) {
    const QString tail = QLatin1Char('~') + QString::number(last);
    if (first <= last) return QString::number(first) + tail;
    return QString::number(first) + QStringLiteral("~499,0") + tail;
}

}  // namespace KmlWaypoints

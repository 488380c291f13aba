#include "data/kml_waypoints.h"

namespace KmlWaypoints {

QVector<StructKmlWaypoint> fromDocument(const StructKmlDocument& doc) {
    QVector<StructKmlWaypoint> out;
    out.reserve(doc.placemarks.size());
    for (const StructKmlPlacemark& p : doc.placemarks) {
        StructKmlPosition first;
        if (p.firstPoint(&first)) out.append({p.name, first.lon, first.lat});
    }
    return out;
}

QString rangeText(int first, int last) {
    const QString tail = QLatin1Char('~') + QString::number(last);
    if (first <= last) return QString::number(first) + tail;
    return QString::number(first) + QStringLiteral("~499,0") + tail;
}

}  // namespace KmlWaypoints

#include "data/kml_outlines.h"

#include "navi/convert.h"

namespace {

QString fragment(const QString& url) {
    const int hash = url.lastIndexOf(QLatin1Char('#'));
    return hash < 0 ? QString() : url.mid(hash);
}

// A style map may lead to another map; a loop of them ends here.
constexpr int kMaxHops = 4;

}  // namespace

namespace KmlOutlines {

StructKmlStyle styleOf(const StructKmlDocument& doc, const StructKmlPlacemark& placemark) {
    StructKmlStyle found{QString(), QStringLiteral("#000000"), QString()};
    if (placemark.hasInlineStyle) {
        found = placemark.inlineStyle;
    } else {
        QString url = fragment(placemark.styleUrl);
        for (int hop = 0; hop < kMaxHops && !url.isEmpty(); ++hop) {
            QString next;
            for (const StructKmlStyleMap& m : doc.styleMaps) {
                if (m.id == url) next = fragment(m.styleUrl);
            }
            for (const StructKmlStyle& s : doc.styles) {
                if (s.id == url && next.isEmpty()) found = s;
            }
            url = next;
        }
    }
    if (found.width.isEmpty()) found.width = QLatin1String(kDefaultWidth);
    return found;
}

QList<StructKmlInfo> toInfo(const StructKmlDocument& doc) {
    QList<StructKmlInfo> out;
    for (const StructKmlPlacemark& p : doc.placemarks) {
        const StructKmlStyle style = styleOf(doc, p);
        for (const QVector<StructKmlPosition>& line : p.lines) {
            if (line.isEmpty()) continue;
            StructKmlInfo info{p.name, style.color, style.width, {}};
            info.points.reserve(line.size());
            for (const StructKmlPosition& pos : line) {
                if (!Convert::haveSetStartPoint()) Convert::setStartPoint(pos.lon, pos.lat);
                info.points.append(Convert::navi_ddS32_to_relativeCoor(pos.lon, pos.lat));
            }
            out.append(info);
        }
    }
    return out;
}

int lineCount(const QList<StructKmlInfo>& outlines) {
    int n = 0;
    for (const StructKmlInfo& info : outlines)
        n += info.points.size() >= 2 ? 1 : 0;
    return n;
}

}  // namespace KmlOutlines

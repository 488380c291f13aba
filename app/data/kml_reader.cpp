#include "data/kml_reader.h"

#include "base/regular_file.h"
#include "data/kml_coordinates.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <functional>

namespace {

using Visit = std::function<bool(const QStringRef& name)>;

// Walks everything inside the element the reader stands on, up to its end element. visit sees
// each start element below it and returns true when it has read that element to its end.
void forEachInside(QXmlStreamReader& xml, const Visit& visit) {
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (!visit(xml.name())) ++depth;
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
}

QString text(QXmlStreamReader& xml) {
    return xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
}

QString idOf(const QXmlStreamReader& xml) {
    return QLatin1Char('#') + xml.attributes().value(QLatin1String("id")).toString();
}

StructKmlStyle readStyle(QXmlStreamReader& xml) {
    StructKmlStyle style{idOf(xml), QString(), QString()};
    QString lineColor;
    QString otherColor;
    forEachInside(xml, [&](const QStringRef& name) {
        const bool line = name == QLatin1String("LineStyle");
        if (line || name.endsWith(QLatin1String("Style"))) {
            forEachInside(xml, [&](const QStringRef& inner) {
                if (inner == QLatin1String("color")) {
                    (line ? lineColor : otherColor) = text(xml);
                    return true;
                }
                if (inner == QLatin1String("width")) {
                    style.width = text(xml);
                    return true;
                }
                return false;
            });
            return true;
        }
        return false;
    });
    style.color = KmlReader::colorName(lineColor.isEmpty() ? otherColor : lineColor);
    return style;
}

// The "normal" pair leads on; a map without one follows its first pair.
StructKmlStyleMap readStyleMap(QXmlStreamReader& xml) {
    StructKmlStyleMap map{idOf(xml), QString()};
    forEachInside(xml, [&](const QStringRef& name) {
        if (name != QLatin1String("Pair")) return false;
        QString key;
        QString url;
        forEachInside(xml, [&](const QStringRef& inner) {
            const bool isKey = inner == QLatin1String("key");
            if (!isKey && inner != QLatin1String("styleUrl")) return false;
            (isKey ? key : url) = text(xml);
            return true;
        });
        if (map.styleUrl.isEmpty() || key == QLatin1String("normal")) map.styleUrl = url;
        return true;
    });
    return map;
}

// A gx:Track, as phones and globe viewers record one: a line of its gx:coord positions (a
// gx:MultiTrack is walked into, each of its tracks a line of its own).
QVector<StructKmlPosition> readTrack(QXmlStreamReader& xml) {
    QVector<StructKmlPosition> line;
    forEachInside(xml, [&](const QStringRef& name) {
        if (name != QLatin1String("coord")) return false;
        StructKmlPosition pos;
        if (KmlCoordinates::parseGxCoord(text(xml), &pos)) line.append(pos);
        return true;
    });
    return line;
}

StructKmlPlacemark readPlacemark(QXmlStreamReader& xml) {
    StructKmlPlacemark p;
    bool named = false;
    forEachInside(xml, [&](const QStringRef& name) {
        if (name == QLatin1String("name") && !named) {
            p.name = text(xml);
            named = true;
        } else if (name == QLatin1String("styleUrl")) {
            p.styleUrl = text(xml);
        } else if (name == QLatin1String("Style")) {
            p.inlineStyle = readStyle(xml);
            p.hasInlineStyle = true;
        } else if (name == QLatin1String("coordinates")) {
            p.lines.append(
                KmlCoordinates::parse(xml.readElementText(QXmlStreamReader::SkipChildElements)));
        } else if (name == QLatin1String("Track")) {
            p.lines.append(readTrack(xml));
        } else {
            return false;
        }
        return true;
    });
    return p;
}

}  // namespace

namespace KmlReader {

QString colorName(const QString& kmlColor) {
    static const QRegularExpression aabbggrr(QStringLiteral("^[0-9A-Fa-f]{8}$"));
    if (!aabbggrr.match(kmlColor).hasMatch()) return QStringLiteral("#000000");
    return (QLatin1Char('#') + kmlColor.mid(6, 2) + kmlColor.mid(4, 2) + kmlColor.mid(2, 2))
        .toLower();
}

StructKmlDocument read(QIODevice* device) {
    StructKmlDocument doc;
    QXmlStreamReader xml(device);
    bool rooted = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const QStringRef name = xml.name();
        // Well-formed XML of another kind (a GPX file, say) is no KML file either.
        if (!rooted && name != QLatin1String("kml")) {
            doc.error = QStringLiteral("not KML: the root element is ") + name.toString();
            return doc;
        }
        rooted = true;
        if (name == QLatin1String("Style")) {
            doc.styles.append(readStyle(xml));
        } else if (name == QLatin1String("StyleMap")) {
            doc.styleMaps.append(readStyleMap(xml));
        } else if (name == QLatin1String("Placemark")) {
            doc.placemarks.append(readPlacemark(xml));
        }
    }
    doc.ok = rooted && !xml.hasError();
    if (!rooted && !xml.hasError()) doc.error = QStringLiteral("no kml element");
    if (xml.hasError())
        doc.error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return doc;
}

StructKmlDocument read(const QString& path) {
    QFile file(path);
    if (!isRegularFile(path) || !file.open(QIODevice::ReadOnly)) {
        StructKmlDocument doc;
        doc.error = QStringLiteral("cannot be opened");
        return doc;
    }
    return read(&file);
}

}  // namespace KmlReader

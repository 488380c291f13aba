#include "data/gpx_file.h"

#include "data/kml_coordinates.h"
#include "data/kml_export.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <charconv>

namespace {

const QString kGpx = QStringLiteral("http://www.topografix.com/GPX/1/1");
const QString kWaypointExtension =
    QStringLiteral("http://www.garmin.com/xmlschemas/GpxExtensions/v3");
const QString kTrackPointExtension =
    QStringLiteral("http://www.garmin.com/xmlschemas/TrackPointExtension/v2");

// Only what XML 1.0 allows in text: the control characters a hand-edited name may hold go.
QString xmlText(const QString& text) {
    QString kept;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t')) kept += c;
    }
    return kept;
}

// The shortest text that reads back as the same float.
QString floatText(float value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return QString::fromLatin1(buffer, int(end - buffer));
}

void writePoint(QXmlStreamWriter& w, const QString& element, const StructGpxPoint& p,
                bool waypoint) {
    w.writeStartElement(kGpx, element);
    w.writeAttribute(QStringLiteral("lat"), GpxFile::degrees(p.lat));
    // GPX takes longitudes below 180: the 180th meridian is written as -180, the same line.
    w.writeAttribute(QStringLiteral("lon"), GpxFile::degrees(p.lon == 1800000000 ? -p.lon : p.lon));
    if (p.time.isValid())
        w.writeTextElement(kGpx, QStringLiteral("time"), p.time.toUTC().toString(Qt::ISODate));
    if (!p.name.isEmpty()) w.writeTextElement(kGpx, QStringLiteral("name"), xmlText(p.name));
    if (p.hasDepth()) {
        w.writeStartElement(kGpx, QStringLiteral("extensions"));
        if (waypoint) {
            w.writeStartElement(kWaypointExtension, QStringLiteral("WaypointExtension"));
            w.writeTextElement(kWaypointExtension, QStringLiteral("Depth"),
                               floatText(p.depthMetres));
        } else {
            w.writeStartElement(kTrackPointExtension, QStringLiteral("TrackPointExtension"));
            w.writeTextElement(kTrackPointExtension, QStringLiteral("depth"),
                               floatText(p.depthMetres));
        }
        w.writeEndElement();
        w.writeEndElement();
    }
    w.writeEndElement();
}

void writeLine(QXmlStreamWriter& w, const StructGpxLine& line, bool route) {
    w.writeStartElement(kGpx, route ? QStringLiteral("rte") : QStringLiteral("trk"));
    if (!line.name.isEmpty()) w.writeTextElement(kGpx, QStringLiteral("name"), xmlText(line.name));
    if (!route) w.writeStartElement(kGpx, QStringLiteral("trkseg"));
    for (const StructGpxPoint& p : line.points)
        writePoint(w, route ? QStringLiteral("rtept") : QStringLiteral("trkpt"), p, false);
    if (!route) w.writeEndElement();
    w.writeEndElement();
}

class Reader {
public:
    explicit Reader(QIODevice* device) : m_x(device) {}

    StructGpxDocument run() {
        if (!m_x.readNextStartElement() || m_x.name() != QLatin1String("gpx")) {
            m_doc.error = m_x.hasError() ? where() : QStringLiteral("not a GPX file");
            return m_doc;
        }
        while (!full() && m_x.readNextStartElement()) {
            const QStringRef name = m_x.name();
            if (name == QLatin1String("wpt")) {
                point(&m_doc.waypoints);
            } else if (name == QLatin1String("rte")) {
                m_doc.routes << line(QStringLiteral("rtept"), QString());
            } else if (name == QLatin1String("trk")) {
                m_doc.tracks << line(QStringLiteral("trkpt"), QStringLiteral("trkseg"));
            } else {
                m_x.skipCurrentElement();
            }
        }
        if (full()) {
            m_doc.tooManyPoints = true;
            m_doc.error = QStringLiteral("more than %1 points").arg(GpxFile::kMaxPoints);
        } else if (m_x.hasError()) {
            m_doc.error = where();
        } else {
            m_doc.ok = true;
        }
        return m_doc;
    }

private:
    bool full() const { return m_points > GpxFile::kMaxPoints; }

    QString where() const {
        return QStringLiteral("line %1: %2").arg(m_x.lineNumber()).arg(m_x.errorString());
    }

    // A route or a track: its name and its points, a track's segments one after another.
    StructGpxLine line(const QString& pointName, const QString& segmentName) {
        StructGpxLine out;
        while (!full() && m_x.readNextStartElement()) {
            const QStringRef name = m_x.name();
            if (name == QLatin1String("name")) {
                out.name = m_x.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (name == pointName) {
                point(&out.points);
            } else if (!segmentName.isEmpty() && name == segmentName) {
                while (!full() && m_x.readNextStartElement()) {
                    if (m_x.name() == pointName) {
                        point(&out.points);
                    } else {
                        m_x.skipCurrentElement();
                    }
                }
            } else {
                m_x.skipCurrentElement();
            }
        }
        return out;
    }

    // One point, kept only with a possible position.
    void point(QVector<StructGpxPoint>* into) {
        ++m_points;
        StructGpxPoint p;
        const bool placed =
            KmlCoordinates::toDdS32(m_x.attributes().value(QLatin1String("lat")).trimmed(), 90,
                                    &p.lat) &&
            KmlCoordinates::toDdS32(m_x.attributes().value(QLatin1String("lon")).trimmed(), 180,
                                    &p.lon);
        while (m_x.readNextStartElement()) {
            const QStringRef name = m_x.name();
            if (name == QLatin1String("name")) {
                p.name = m_x.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (name == QLatin1String("time")) {
                p.time = QDateTime::fromString(
                             m_x.readElementText(QXmlStreamReader::SkipChildElements).trimmed(),
                             Qt::ISODate)
                             .toUTC();
            } else if (name == QLatin1String("extensions")) {
                extensions(&p);
            } else {
                m_x.skipCurrentElement();
            }
        }
        if (placed) {
            into->append(p);
        } else {
            ++m_doc.refused;
        }
    }

    // Whatever the extension's namespace, an element named depth (or Depth) holds metres.
    void extensions(StructGpxPoint* p) {
        int level = 1;
        while (level > 0 && !m_x.atEnd()) {
            m_x.readNext();
            if (m_x.isEndElement()) {
                --level;
            } else if (m_x.isStartElement()) {
                if (m_x.name().compare(QLatin1String("depth"), Qt::CaseInsensitive) == 0) {
                    bool ok = false;
                    const float d =
                        m_x.readElementText(QXmlStreamReader::SkipChildElements).toFloat(&ok);
                    if (ok && std::isfinite(d)) p->depthMetres = d;
                } else {
                    ++level;
                }
            }
        }
    }

    QXmlStreamReader m_x;
    StructGpxDocument m_doc;
    int m_points = 0;
};

}  // namespace

namespace GpxFile {

QString degrees(int ddS32) {
    return KmlExport::degrees(ddS32).chopped(1);  // the KML export's eighth decimal is a 0
}

QByteArray build(const StructGpxDocument& doc) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeDefaultNamespace(kGpx);
    w.writeNamespace(kWaypointExtension, QStringLiteral("gpxx"));
    w.writeNamespace(kTrackPointExtension, QStringLiteral("gpxtpx"));
    w.writeStartElement(kGpx, QStringLiteral("gpx"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    w.writeAttribute(QStringLiteral("creator"), QStringLiteral("Korvel"));
    for (const StructGpxPoint& p : doc.waypoints)
        writePoint(w, QStringLiteral("wpt"), p, true);
    for (const StructGpxLine& r : doc.routes)
        writeLine(w, r, true);
    for (const StructGpxLine& t : doc.tracks)
        writeLine(w, t, false);
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

StructGpxDocument read(QIODevice* device) {
    return Reader(device).run();
}

StructGpxDocument read(const QString& path) {
    StructGpxDocument doc;
    QFile f(path);
    if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly)) {
        doc.error = QStringLiteral("cannot open %1").arg(path);
        return doc;
    }
    return read(&f);
}

}  // namespace GpxFile

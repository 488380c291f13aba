#include "data/depth_map_export.h"

#include "data/kvlw_time.h"

#include <QXmlStreamWriter>
#include <algorithm>

namespace {

QString degrees7(qint32 ddS32) {
    return QString::number(ddS32 / 10000000.0, 'f', 7);
}

QString depthText(float metres) {
    return QString::number(double(metres), 'f', 1);
}

}  // namespace

QString DepthMapExport::fileName(uint32_t boatTime, const QString& extension) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(boatTime);
    return QString::fromLatin1(kFolder) +
           QString::asprintf("Korvel_DepthMap_%02d%02d%02d%02d", t.month, t.day, t.hour, t.minute) +
           extension;
}

QByteArray DepthMapExport::csv(const DepthGrid& grid) {
    struct Row {
        StructCellIndex index;
        StructDepthCell cell;
    };
    QVector<Row> rows;
    rows.reserve(grid.filledCells());
    grid.forEachCell([&](StructCellIndex i, const StructDepthCell& c) { rows.append({i, c}); });
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return a.index.row != b.index.row ? a.index.row < b.index.row
                                          : a.index.column < b.index.column;
    });
    QByteArray out("latitude,longitude,depth_m,count\r\n");
    out.reserve(out.size() + rows.size() * 40);
    for (const Row& r : qAsConst(rows)) {
        const GeoPoint p = grid.centreOf(r.index);
        out += (degrees7(p.lat()) + QLatin1Char(',') + degrees7(p.lon()) + QLatin1Char(',') +
                QString::number(r.cell.depthCm / 100.0, 'f', 2) + QLatin1Char(',') +
                QString::number(r.cell.count) + QStringLiteral("\r\n"))
                   .toLatin1();
    }
    return out;
}

QVector<StructContour> DepthMapExport::allContours(const DepthGrid& grid, float intervalMetres) {
    if (grid.isEmpty()) return {};
    // One cell of border, so that lines reach the edge of the soundings.
    const DepthField field(grid, grid.bounds().adjusted(-1, -1, 1, 1), 1);
    return DepthContours::trace(field, intervalMetres);
}

QByteArray DepthMapExport::kml(const DepthGrid& grid, const QVector<StructContour>& contours) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("kml"));
    w.writeDefaultNamespace(QStringLiteral("http://www.opengis.net/kml/2.2"));
    w.writeStartElement(QStringLiteral("Document"));
    w.writeTextElement(QStringLiteral("name"), QStringLiteral("Depth contours"));
    w.writeStartElement(QStringLiteral("Style"));
    w.writeAttribute(QStringLiteral("id"), QStringLiteral("isobath"));
    w.writeStartElement(QStringLiteral("LineStyle"));
    w.writeTextElement(QStringLiteral("color"), QStringLiteral("ff0000ff"));
    w.writeTextElement(QStringLiteral("width"), QStringLiteral("1"));
    w.writeEndElement();
    w.writeEndElement();
    for (const StructContour& c : contours) {
        if (c.points.size() < 2) continue;
        w.writeStartElement(QStringLiteral("Placemark"));
        w.writeTextElement(QStringLiteral("name"), depthText(c.depthMetres) + QStringLiteral(" m"));
        w.writeTextElement(QStringLiteral("styleUrl"), QStringLiteral("#isobath"));
        w.writeStartElement(QStringLiteral("ExtendedData"));
        w.writeStartElement(QStringLiteral("Data"));
        w.writeAttribute(QStringLiteral("name"), QStringLiteral("depth"));
        w.writeTextElement(QStringLiteral("value"), depthText(c.depthMetres));
        w.writeEndElement();
        w.writeEndElement();
        w.writeStartElement(QStringLiteral("LineString"));
        QString coordinates;
        for (const QPointF& p : c.points) {
            const GeoPoint g = grid.positionOf(p);
            coordinates +=
                degrees7(g.lon()) + QLatin1Char(',') + degrees7(g.lat()) + QStringLiteral(",0 ");
        }
        w.writeTextElement(QStringLiteral("coordinates"), coordinates.trimmed());
        w.writeEndElement();
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

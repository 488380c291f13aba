#include "data/kml_export.h"

#include "data/kvlw_time.h"
#include "data/waypoint_texts.h"
#include "navi/convert.h"

namespace {

const QString kEnd = QStringLiteral("\r\n");

QString two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// Everything before the first placemark, as it stands in the file (LF here, CR LF written);
// %1 and %2 are the normal and the highlighted pushpin style.
const char kHead[] = R"(<?xml version="1.0" encoding="utf-8"?>
<kml xmlns="http://www.opengis.net/kml/2.2" xmlns:gx="http://www.google.com/kml/ext/2.2" xmlns:atom="http://www.w3.org/2005/Atom">
<!-- create by Ondrell -->

<Document>
%1%2   <StyleMap id="m_ylw-pushpin">
       <Pair>
           <key>normal</key>
           <styleUrl>#s_ylw-pushpin</styleUrl>
       </Pair>
       <Pair>
           <key>highlight</key>
           <styleUrl>#s_ylw-pushpin_hl</styleUrl>
       </Pair>
   </StyleMap>
<Folder>   <name>Ondrell-Dunmar</name><open>1</open>)";

// Only what XML 1.0 allows in text: the control characters a hand-edited file may hold go.
QString xmlText(const QString& text) {
    QString kept;
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 || c == QLatin1Char('\t')) kept += c;
    }
    return kept.toHtmlEscaped();
}

// The pushpin style: %1 its id, %2 its scale.
const char kStyle[] = R"(   <Style id="%1">
       <IconStyle>
           <color>ff00ff00</color>
           <scale>%2</scale>
           <Icon>
               <href>http://maps.google.com/mapfiles/kml/pushpin/ylw-pushpin.png</href>
           </Icon>
           <hotSpot x="20" y="2" xunits="pixels" yunits="pixels"/>
       </IconStyle>
       <LabelStyle>
           <color>ff0000ff</color>
       </LabelStyle>
   </Style>
)";

}  // namespace

namespace KmlExport {

// The position text's value exactly: degrees + minutes / 60, truncated to ddS32. The
// navigation's conversion goes through a single-precision factor and may come out a unit short
// (113°30.0000′ as 113.4999999); a file for other programs is written exact.
int exactDdS32(const QString& text, bool longitude) {
    const bool form =
        longitude ? WaypointTexts::isLongitudeText(text) : WaypointTexts::isLatitudeText(text);
    if (!form)
        return longitude ? Convert::dmString_to_ddS32_Lon(text)
                         : Convert::dmString_to_ddS32_Lat(text);
    const int degreeSign = text.indexOf(QChar(0x00B0));
    const qint64 degrees = text.mid(1, degreeSign - 1).trimmed().toLongLong();
    const qint64 minutes4 = text.mid(degreeSign + 1, 7).remove(QLatin1Char('.')).toLongLong();
    const qint64 v = degrees * 10000000 + minutes4 * 50 / 3;
    return int(text.at(0) == QLatin1Char(longitude ? 'W' : 'S') ? -v : v);
}

QString fileName(uint32_t boatTime, int from, int to) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(boatTime);
    return QLatin1String(kFolder) + QStringLiteral("Sablo_Waypoint_") + two(t.month) + two(t.day) +
           two(t.hour) + two(t.minute) + QLatin1Char('_') + QString::number(from) +
           QLatin1Char('-') + QString::number(to) + QStringLiteral(".kml");
}

QString degrees(int ddS32) {
    const qint64 a = qAbs(qint64(ddS32));
    return (ddS32 < 0 ? QStringLiteral("-") : QString()) + QString::number(a / 10000000) +
           QLatin1Char('.') + QStringLiteral("%1").arg(a % 10000000, 7, 10, QLatin1Char('0')) +
           QLatin1Char('0');
}

QByteArray build(const QVector<StructWaypoint>& waypoints) {
    const QString style = QString::fromLatin1(kStyle);
    QString t = QString::fromLatin1(kHead)
                    .arg(style.arg(QLatin1String("s_ylw-pushpin"), QLatin1String("1.1")),
                         style.arg(QLatin1String("s_ylw-pushpin_hl"), QLatin1String("1.3")))
                    .replace(QLatin1Char('\n'), kEnd);
    for (const StructWaypoint& w : waypoints) {
        if (w.isEmpty()) continue;
        t += QStringLiteral("<Placemark>") + kEnd + QStringLiteral("<name>") +
             xmlText(QStringLiteral("idx-") + w.sn + QLatin1Char('_') + w.name) +
             QStringLiteral("</name>") + kEnd +
             QStringLiteral("<styleUrl>#m_ylw-pushpin</styleUrl><Point>") + kEnd +
             QStringLiteral("<coordinates>") + kEnd + degrees(exactDdS32(w.longitude, true)) +
             QLatin1Char(',') + degrees(exactDdS32(w.latitude, false)) + QLatin1Char(',') +
             QStringLiteral("</coordinates>") + kEnd + QStringLiteral("</Point>") + kEnd +
             QStringLiteral("</Placemark>") + kEnd;
    }
    t += QStringLiteral("</Folder></Document>") + kEnd + QStringLiteral("</kml>") + kEnd;
    return t.toUtf8();
}

}  // namespace KmlExport

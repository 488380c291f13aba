#include "data/kml_coordinates.h"

#include "navi/truncate.h"

#include <QString>

namespace {

constexpr int kDecimals = 7;  // ddS32: degrees x 10^7

bool isSpace(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

// Plain decimals are read digit by digit; anything else a number may be written as
// (an exponent) goes through the double reader.
bool readDecimal(QStringView s, qint64* scaled) {
    int i = 0;
    const bool negative = i < s.size() && s.at(i) == QLatin1Char('-');
    if (i < s.size() && (s.at(i) == QLatin1Char('-') || s.at(i) == QLatin1Char('+'))) ++i;
    qint64 whole = 0;
    qint64 fraction = 0;
    int digits = 0;
    int fractionDigits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (c.unicode() < '0' || c.unicode() > '9') return false;
        ++digits;
        const int d = c.unicode() - '0';
        if (!point) {
            whole = qMin<qint64>(whole * 10 + d, 1000000);
        } else if (fractionDigits < kDecimals) {
            fraction = fraction * 10 + d;
            ++fractionDigits;
        }
    }
    if (digits == 0) return false;
    for (; fractionDigits < kDecimals; ++fractionDigits)
        fraction *= 10;
    const qint64 v = whole * 10000000 + fraction;
    *scaled = negative ? -v : v;
    return true;
}

}  // namespace

namespace KmlCoordinates {

bool toDdS32(QStringView text, int limitDegrees, int* out) {
    qint64 v = 0;
    if (!readDecimal(text, &v)) {
        bool ok = false;
        const double d = text.toString().toDouble(&ok);
        if (!ok || !(qAbs(d) <= limitDegrees)) return false;
        v = Navi::truncToInt(d * 10000000.0);
    }
    if (qAbs(v) > qint64(limitDegrees) * 10000000) return false;
    *out = int(v);
    return true;
}

QVector<StructKmlPosition> parse(QStringView text) {
    QVector<StructKmlPosition> out;
    const int n = text.size();
    int i = 0;
    while (i < n) {
        while (i < n && isSpace(text.at(i)))
            ++i;
        const int start = i;
        while (i < n && !isSpace(text.at(i)))
            ++i;
        if (i == start) break;
        // The group's first two non-empty parts: longitude and latitude.
        QStringView parts[2];
        int found = 0;
        for (int p = start; p < i && found < 2;) {
            int end = p;
            while (end < i && text.at(end) != QLatin1Char(','))
                ++end;
            if (end > p) parts[found++] = text.mid(p, end - p);
            p = end + 1;
        }
        StructKmlPosition pos;
        if (found == 2 && toDdS32(parts[0], 180, &pos.lon) && toDdS32(parts[1], 90, &pos.lat))
            out.append(pos);
    }
    return out;
}

bool parseGxCoord(QStringView text, StructKmlPosition* out) {
    QStringView parts[2];
    int found = 0;
    for (int i = 0, n = text.size(); i < n && found < 2;) {
        while (i < n && isSpace(text.at(i)))
            ++i;
        const int start = i;
        while (i < n && !isSpace(text.at(i)))
            ++i;
        if (i > start) parts[found++] = text.mid(start, i - start);
    }
    StructKmlPosition pos;
    if (found < 2 || !toDdS32(parts[0], 180, &pos.lon) || !toDdS32(parts[1], 90, &pos.lat))
        return false;
    *out = pos;
    return true;
}

}  // namespace KmlCoordinates

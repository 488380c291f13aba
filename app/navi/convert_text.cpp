#include "navi/convert.h"
#include "navi/truncate.h"

#include <cmath>

// Degree-and-minute encoding and the display texts. The factor 0.6 is the single-precision
// constant widened to double; with it and the truncations both ways, the values stay the
// ones every stored waypoint and course was written with.

namespace {

constexpr double kScale = 10000000.0;
constexpr double kSixTenths = double(0.6f);
constexpr QChar kDegree(0x00B0);
constexpr QChar kPrime(0x2032);

// Writes v in decimal with at least width digits, zero-padded.
QChar* putDigits(QChar* out, unsigned int v, int width) {
    QChar digits[10];
    int n = 0;
    do {
        digits[n++] = QLatin1Char(char('0' + v % 10));
        v /= 10;
    } while (v != 0);
    for (int i = n; i < width; ++i)
        *out++ = QLatin1Char('0');
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

// hemisphere + degrees + "°" + two-digit minutes + "." + four decimals + "′".
QString dmText(const char* hemisphere, int dmS32, int degreeWidth) {
    const unsigned int a = dmS32 < 0 ? 0u - unsigned(dmS32) : unsigned(dmS32);
    const unsigned int degrees = a / 10000000u;
    const unsigned int rest = a - degrees * 10000000u;
    QChar text[24];
    QChar* out = text;
    while (*hemisphere != '\0')
        *out++ = QLatin1Char(*hemisphere++);
    out = putDigits(out, degrees, degreeWidth);
    *out++ = kDegree;
    out = putDigits(out, rest / 100000u, 2);
    *out++ = QLatin1Char('.');
    out = putDigits(out, (rest % 100000u) / 10u, 4);
    *out++ = kPrime;
    return QString(text, int(out - text));
}

// The degrees sit at degreePos with degreeLen digits, the minutes "MM.mmmm" at index 6.
int parseDm(const QString& text, int degreePos, int degreeLen, QChar positive) {
    if (text.length() <= 10) return 0;
    const QString number = text.mid(degreePos, degreeLen) + text.mid(6, 7);
    const double n = number.toDouble() * 100000.0;
    // A number too large for the encoding is as unreadable as no number at all.
    if (!std::isfinite(n) || std::fabs(n) >= 2147483648.0) return 0;
    const int dmS32 = Navi::truncToInt(text.at(0) == positive ? n : -n);
    return Convert::dmS32_to_ddS32(dmS32);
}

}  // namespace

int Convert::ddS32_to_dmS32(int ddS32) {
    const double d = ddS32 / kScale;
    const double whole = std::trunc(d);
    return Navi::truncToInt((whole + (d - whole) * kSixTenths) * kScale);
}

int Convert::dmS32_to_ddS32(int dmS32) {
    const double d = dmS32 / kScale;
    const double whole = std::trunc(d);
    return Navi::truncToInt((whole + (d - whole) / kSixTenths) * kScale);
}

QString Convert::ddS32_to_dmString_lat(int ddS32) {
    const int dm = ddS32_to_dmS32(ddS32);
    return dmText(dm <= 0 ? "S  " : "N  ", dm, 2);
}

QString Convert::ddS32_to_dmString_lon(int ddS32) {
    const int dm = ddS32_to_dmS32(ddS32);
    return dmText(dm <= 0 ? "W " : "E ", dm, 3);
}

int Convert::dmString_to_ddS32_Lat(const QString& text) {
    return parseDm(text, 3, 2, QLatin1Char('N'));
}

int Convert::dmString_to_ddS32_Lon(const QString& text) {
    return parseDm(text, 2, 3, QLatin1Char('E'));
}

#include "data/waypoint_texts.h"

#include "data/kvlw_time.h"
#include "data/record_naming.h"
#include "data/struct_waypoint.h"

#include <QRegularExpression>

namespace {

QString two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

bool matches(const QString& text, const char* pattern) {
    const QRegularExpression re(QString::fromUtf8(pattern));
    return re.match(text).hasMatch();
}

}  // namespace

namespace WaypointTexts {

QString nameAlphabet() {
    return QStringLiteral("-0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

QString importName(const QString& name, const QString& fallback) {
    // Characters, not UTF-16 units: a character outside the basic plane is one hyphen.
    const QString alphabet = nameAlphabet();
    QString out;
    for (const uint c : name.toUcs4()) {
        if (out.size() == kNameLength) break;
        const bool known = c < 0x80 && alphabet.contains(QChar(c));
        out += known ? QChar(c) : QLatin1Char('-');
    }
    if (out.isEmpty() || out == StructWaypoint::emptyName()) return fallback;
    return out;
}

QString nameForEditor(const QString& name) {
    return name.leftJustified(kNameLength, QLatin1Char(' '));
}

QString nameFromEditor(const QString& text) {
    int end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end).replace(QLatin1Char(' '), QLatin1Char('-'));
}

QString proposedName(uint32_t time) {
    return RecordNaming::stamp(time);
}

QString dateText(uint32_t time) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(time);
    return two(t.year - 2000) + QLatin1Char('-') + two(t.month) + QLatin1Char('-') + two(t.day);
}

QString timeText(uint32_t time) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(time);
    return two(t.hour) + QLatin1Char(':') + two(t.minute) + QLatin1Char(':') + two(t.second);
}

QString shownDate(uint32_t time) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(time);
    return t.month > 12 || t.day > 31 ? QStringLiteral("-.-") : dateText(time);
}

QString shownTime(uint32_t time) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(time);
    return t.hour > 23 || t.minute > 59 || t.second > 59 ? QStringLiteral("-.-") : timeText(time);
}

bool isLatitudeText(const QString& text) {
    return matches(text, "^[NS]  \\d\\d\u00b0\\d\\d\\.\\d{4}\u2032$");
}

bool isLongitudeText(const QString& text) {
    return matches(text, "^[EW] \\d{3}\u00b0\\d\\d\\.\\d{4}\u2032$");
}

bool isDateText(const QString& text) {
    return matches(text, "^\\d\\d-\\d\\d-\\d\\d$");
}

bool isTimeText(const QString& text) {
    return matches(text, "^\\d\\d:\\d\\d:\\d\\d$");
}

}  // namespace WaypointTexts

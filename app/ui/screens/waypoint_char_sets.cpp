#include "ui/screens/waypoint_char_sets.h"

#include "data/waypoint_texts.h"

namespace {
const QString kDigits = QStringLiteral("0123456789");
const QString kMinuteTens = QStringLiteral("012345");

// The minutes and their four decimals: "00.0000".
QStringList minutes() {
    return {kMinuteTens, kDigits, QString(), kDigits, kDigits, kDigits, kDigits};
}
}  // namespace

namespace WaypointCharSets {

QStringList sn() {
    return {QStringLiteral("01234"), kDigits, kDigits};
}

QStringList name() {
    QStringList sets;
    for (int i = 0; i < WaypointTexts::kNameLength; ++i)
        sets << WaypointTexts::nameAlphabet();
    return sets;
}

QStringList longitude() {
    return QStringList{
               QStringLiteral("WE"), QString(), QStringLiteral("01"), kDigits, kDigits, QString()} +
           minutes();
}

QStringList latitude() {
    return QStringList{QStringLiteral("NS"),        QString(), QString(),
                       QStringLiteral("012345678"), kDigits,   QString()} +
           minutes();
}

QStringList depth(const QString& text) {
    QStringList sets;
    for (const QChar c : text)
        sets << (c.isDigit() ? kDigits : QString());
    return sets;
}

QString boundLongitude(const QString& text) {
    if (text.size() < 13 || text.mid(2, 3).toInt() < 180) return text;
    if (text.mid(2, 3) == QLatin1String("180") && text.mid(6, 7) == QLatin1String("00.0000"))
        return text;
    return text.left(2) + QStringLiteral("180\u00b000.0000") + text.mid(13);
}

}  // namespace WaypointCharSets

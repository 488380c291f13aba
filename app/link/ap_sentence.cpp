#include "link/ap_sentence.h"

#include "base/global.h"

#include <algorithm>
#include <cmath>

namespace {

// Shortest general notation, at most 6 significant digits: 50 gives "50", 2.5 gives "2.5".
QString shortNumber(float v) {
    return QString::number(double(v), 'g', 6);
}

QString degrees(int ddS32) {
    return QString::number(ddS32 / 10000000.0, 'f', 7);
}

}  // namespace

namespace ApSentence {

QString seal(const QString& body) {
    const QString text = body + QStringLiteral(",*");
    return text +
           QStringLiteral("%1").arg(Global::xorChk_ApCmd(text), 2, 16, QLatin1Char('0')).toUpper();
}

QString control(const QString& command, const QString& a, const QString& b) {
    return seal(QStringLiteral("$HMCTL,%1,%2,%3").arg(command, a, b));
}

QString start(int targetLon, int targetLat) {
    return control(QStringLiteral("RUN"), degrees(targetLon), degrees(targetLat));
}

QString stop() {
    return control(QStringLiteral("STOP"), QString(), QString());
}

QString parameters(const StructConfiguration& cfg) {
    const QString p1 = cfg.apMode == 2 ? QStringLiteral("T") : QStringLiteral("O");
    const QString p2 = cfg.apCh1Reverse == 1 ? QStringLiteral("R") : QStringLiteral("N");
    const QString p4 = cfg.apCh2Reverse == 1 ? QStringLiteral("R") : QStringLiteral("N");
    return seal(QStringLiteral("$HMPRA,%1,%2,%3,%4,%5,,,,,%6,%7")
                    .arg(p1, p2, shortNumber(cfg.apCh1Speed), p4, shortNumber(cfg.apCh2Speed),
                         shortNumber(cfg.apSenitivity), shortNumber(cfg.arriveAlarmLevel)));
}

QString wiringTest(const QString& direction, const StructConfiguration& cfg) {
    QString word;
    if (direction == QLatin1String("forward")) word = QStringLiteral("FORWARD");
    if (direction == QLatin1String("left")) word = QStringLiteral("LEFT");
    if (direction == QLatin1String("right")) word = QStringLiteral("RIGHT");
    if (word.isEmpty()) return QString();
    const float speed = cfg.apMode == 2 ? std::min(cfg.apCh1Speed, cfg.apCh2Speed) : cfg.apCh2Speed;
    const int whole = std::isfinite(speed) ? int(std::trunc(speed)) : 0;
    return seal(QStringLiteral("$HMHCK,%1,%2").arg(word).arg(whole));
}

QString reset() {
    return seal(QStringLiteral("$HMRST"));
}

}  // namespace ApSentence

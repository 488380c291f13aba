#include "sonar_settings.h"

#include "sbus.h"

#include <QList>

namespace vboat {

namespace {
bool inRange(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

bool applyField(const QByteArray& key, int v, SonarSettings& s) {
    if (key == "Gain" && inRange(v, 0, 3)) {
        s.gain = v;
    } else if (key == "Freq" && (v == 0 || v == 2)) {
        s.frequency = v;
    } else if (key == "LRng" && (v == 0 || inRange(v, 2, 99))) {
        s.rangeM = v;
    } else if (key == "Sens" && inRange(v, 0, 9)) {
        s.sensitivity = v;
    } else if ((key == "FSen" || key == "Fsen") && inRange(v, 0, 9)) {
        // The handset spells it both ways (single and combined message).
        s.fishSensitivity = v;
    } else {
        return false;
    }
    return true;
}
}  // namespace

bool applyConfigMessage(const QByteArray& message, SonarSettings& settings) {
    const int star = message.indexOf('*');
    if (star < 0 || star + 1 >= message.size()) return false;
    const QByteArray text = message.left(star);
    if (xorBytes(text) != static_cast<quint8>(message[star + 1])) return false;

    SonarSettings next = settings;
    int fields = 0;
    for (const QByteArray& field : text.split(',')) {
        if (field.isEmpty()) continue;  // the leading comma
        const int eq = field.indexOf('=');
        if (eq <= 0) return false;
        bool ok = false;
        const int v = field.mid(eq + 1).toInt(&ok, 10);
        if (!ok || !applyField(field.left(eq), v, next)) return false;
        ++fields;
    }
    if (fields == 0) return false;
    settings = next;
    return true;
}

}  // namespace vboat

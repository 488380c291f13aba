#pragma once

#include "base/keypad.h"

#include <QString>
#include <QStringList>

// The fields of a small screen walked as a ring: Up and Left go back, Down and Right forward,
// past either end round again. False for any other key (focus unchanged).
inline bool stepFocusRing(EnumKey key, int count, int& focus) {
    if (key == EnumKey::Up || key == EnumKey::Left) {
        focus = (focus + count - 1) % count;
    } else if (key == EnumKey::Down || key == EnumKey::Right) {
        focus = (focus + 1) % count;
    } else {
        return false;
    }
    return true;
}

// A wait as the screens edit it: minutes and seconds, two digits each, the tens up to 5.
struct StructWaitTime {
    QString minutes = QStringLiteral("00");
    QString seconds = QStringLiteral("00");

    int totalSeconds() const { return minutes.toInt() * 60 + seconds.toInt(); }
    // The character editor's sets for either field.
    static QStringList charSets() {
        return {QStringLiteral("012345"), QStringLiteral("0123456789")};
    }
};

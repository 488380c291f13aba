#pragma once

#include <QString>
#include <QVector>

// The handset's keys. The keypad arrives as ordinary key events; this is the one place that
// knows which desktop key stands for which keypad key, and the short key names that the
// controller, the scene and scripts pass around as text.
enum class EnumKey {
    None,  // a key that is not on the keypad
    Up,
    Down,
    Left,
    Right,
    Enter,
    Escape,
    Change,
    Menu,
    Autopilot,
    Zoom,
};

namespace Keypad {

// The keypad key of a toolkit key code: arrows, Return and Enter, Escape, C, M, I and O.
EnumKey fromQtKey(int qtKey);
// The toolkit key code that stands for a keypad key (Return for enter); 0 for None.
int qtKey(EnumKey key);

// "up", "down", "left", "right", "enter", "esc", "change", "menu", "ap", "zoom"; empty for None.
QString name(EnumKey key);
// The name of pressing `pressed` while `held` is still down: change then menu is "apWindow".
// Empty for any other pair.
QString chordName(EnumKey held, EnumKey pressed);
// The keys a name stands for, pressed in this order ("apWindow": change, menu); empty when
// the name is not a key name.
QVector<EnumKey> keysOf(const QString& name);

}  // namespace Keypad

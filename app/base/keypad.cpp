#include "base/keypad.h"

#include <Qt>

namespace {

struct StructKeyInfo {
    EnumKey key;
    int qtKey;
    const char* name;
};

// Each keypad key once, with the desktop key a script sends for it.
const StructKeyInfo kKeys[] = {
    {EnumKey::Up, Qt::Key_Up, "up"},           {EnumKey::Down, Qt::Key_Down, "down"},
    {EnumKey::Left, Qt::Key_Left, "left"},     {EnumKey::Right, Qt::Key_Right, "right"},
    {EnumKey::Enter, Qt::Key_Return, "enter"}, {EnumKey::Escape, Qt::Key_Escape, "esc"},
    {EnumKey::Change, Qt::Key_C, "change"},    {EnumKey::Menu, Qt::Key_M, "menu"},
    {EnumKey::Autopilot, Qt::Key_I, "ap"},     {EnumKey::Zoom, Qt::Key_O, "zoom"},
};

const char kApWindow[] = "apWindow";

}  // namespace

namespace Keypad {

EnumKey fromQtKey(int qtKey) {
    // The keypad's enter comes as either of the keyboard's two enter keys.
    if (qtKey == Qt::Key_Enter) return EnumKey::Enter;
    for (const StructKeyInfo& k : kKeys) {
        if (k.qtKey == qtKey) return k.key;
    }
    return EnumKey::None;
}

int qtKey(EnumKey key) {
    for (const StructKeyInfo& k : kKeys) {
        if (k.key == key) return k.qtKey;
    }
    return 0;
}

QString name(EnumKey key) {
    for (const StructKeyInfo& k : kKeys) {
        if (k.key == key) return QLatin1String(k.name);
    }
    return QString();
}

QString chordName(EnumKey held, EnumKey pressed) {
    if (held == EnumKey::Change && pressed == EnumKey::Menu) return QLatin1String(kApWindow);
    return QString();
}

QVector<EnumKey> keysOf(const QString& name) {
    if (name == QLatin1String(kApWindow)) return {EnumKey::Change, EnumKey::Menu};
    for (const StructKeyInfo& k : kKeys) {
        if (name == QLatin1String(k.name)) return {k.key};
    }
    return {};
}

}  // namespace Keypad

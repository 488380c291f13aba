#pragma once

#include "base/keypad.h"

#include <QVector>

// Decides what the keypad's presses and releases mean: clicks, long presses, held-key repeats
// and releases. The main screen and every menu, editor and dialog feed their key events and
// the 125 ms main tick through one of these, each with its own rules, and act on what comes
// back.
class KeyInput {
public:
    // Held-key repetition counted in main ticks: none before firstTick, then one step every
    // `every` ticks, multiplied by `factor` from accelTick on (0: never).
    struct StructRepeat {
        int firstTick = 6;
        int every = 1;
        int accelTick = 0;
        int factor = 1;
    };

    struct StructRules {
        // Keys that are marked on press and click on release while still marked. The
        // keyboard's own repeat of them is not acted on: the click must wait for the release.
        QVector<EnumKey> onRelease;
        // Of those, the keys that give a long press, in this order, once any key has been
        // down for longPressTicks ticks; no click follows it.
        QVector<EnumKey> longPress;
        int longPressTicks = 7;
        // Pressing chordKey while chordHeld is marked drops that mark and clicks chordKey
        // with chordHeld as the held key.
        EnumKey chordHeld = EnumKey::None;
        EnumKey chordKey = EnumKey::None;
        // Whether the keyboard's own repeat presses of the keys that act on press click again.
        bool clickOnAutoRepeat = true;
        // Keys that repeat from the main tick while held (a fresh press starts the count).
        QVector<EnumKey> repeatKeys;
        StructRepeat repeat;
    };

    struct StructAction {
        enum EnumKind { Click, LongPress, Repeat, Release };
        EnumKind kind;
        EnumKey key;
        EnumKey held = EnumKey::None;  // Click: the first key of a chord
        int steps = 1;                 // Repeat: steps to take at once
    };
    using Actions = QVector<StructAction>;

    KeyInput() = default;
    explicit KeyInput(const StructRules& rules) : m_rules(rules) {}

    Actions press(EnumKey key, bool autoRepeat);
    Actions release(EnumKey key, bool autoRepeat);
    // One main tick.
    Actions tick();
    // Forgets every mark and hold (focus lost, hidden).
    void reset();

private:
    static bool has(const QVector<EnumKey>& keys, EnumKey key) { return keys.contains(key); }
    StructAction click(EnumKey key);

    StructRules m_rules;
    QVector<EnumKey> m_marked;
    bool m_keyDown = false;  // since the last release: counts towards a long press
    int m_downTicks = 0;
    EnumKey m_held = EnumKey::None;  // the repeat key held
    int m_heldTicks = 0;
};

// Escape and menu close every menu, editor and dialog.
inline bool isEscapeOrMenu(EnumKey key) {
    return key == EnumKey::Escape || key == EnumKey::Menu;
}

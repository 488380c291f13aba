#include "ui/kit/key_input.h"

KeyInput::StructAction KeyInput::click(EnumKey key) {
    if (key != EnumKey::None && key == m_rules.chordKey && m_marked.removeOne(m_rules.chordHeld))
        return {StructAction::Click, key, m_rules.chordHeld, 1};
    return {StructAction::Click, key, EnumKey::None, 1};
}

KeyInput::Actions KeyInput::press(EnumKey key, bool autoRepeat) {
    const bool onRelease = has(m_rules.onRelease, key);
    if (autoRepeat) {
        // A held key repeats as press/release pairs; a key that acts on release or on a long
        // press must see only its first press, or holding escape would click it at once.
        if (onRelease || !m_rules.clickOnAutoRepeat) return {};
        m_keyDown = true;
        return {click(key)};
    }
    m_keyDown = true;
    if (has(m_rules.repeatKeys, key)) {
        m_held = key;
        m_heldTicks = 0;
    } else {
        m_held = EnumKey::None;
        m_heldTicks = 0;
    }
    if (onRelease) {
        if (!m_marked.contains(key)) m_marked.append(key);
        return {};
    }
    return {click(key)};
}

KeyInput::Actions KeyInput::release(EnumKey key, bool autoRepeat) {
    if (autoRepeat) return {};
    m_keyDown = false;
    m_downTicks = 0;
    if (key == m_held) {
        m_held = EnumKey::None;
        m_heldTicks = 0;
    }
    Actions out;
    if (m_marked.removeOne(key)) out.append({StructAction::Click, key, EnumKey::None, 1});
    out.append({StructAction::Release, key, EnumKey::None, 1});
    return out;
}

KeyInput::Actions KeyInput::tick() {
    Actions out;
    if (m_keyDown && ++m_downTicks >= m_rules.longPressTicks) {
        for (EnumKey key : m_rules.longPress) {
            if (m_marked.removeOne(key))
                out.append({StructAction::LongPress, key, EnumKey::None, 1});
        }
        m_keyDown = false;
        m_downTicks = 0;
    }
    if (m_held == EnumKey::None) return out;
    // The count stops growing once it is past every threshold, so a key held for hours
    // cannot overflow it.
    if (m_heldTicks < 1000000) ++m_heldTicks;
    const StructRepeat& r = m_rules.repeat;
    if (m_heldTicks < r.firstTick) return out;
    const int every = r.every > 0 ? r.every : 1;
    if ((m_heldTicks - r.firstTick) % every != 0) return out;
    const int steps = r.accelTick > 0 && m_heldTicks >= r.accelTick ? r.factor : 1;
    out.append({StructAction::Repeat, m_held, EnumKey::None, steps});
    return out;
}

void KeyInput::reset() {
    m_marked.clear();
    m_keyDown = false;
    m_downTicks = 0;
    m_held = EnumKey::None;
    m_heldTicks = 0;
}

#include "core/ux_scene.h"

#include <QKeyEvent>

namespace {
// Escape and the autopilot key have a long press, so they click only when let go before it;
// change waits for its release because menu pressed while it is down makes "apWindow".
// The other keys click at once and again with the keyboard's own repeat.
KeyInput::StructRules mainScreenRules() {
    KeyInput::StructRules rules;
    rules.onRelease = {EnumKey::Escape, EnumKey::Change, EnumKey::Autopilot};
    rules.longPress = {EnumKey::Escape, EnumKey::Autopilot};
    rules.longPressTicks = UxScene::kLongPressTicks;
    rules.chordHeld = EnumKey::Change;
    rules.chordKey = EnumKey::Menu;
    rules.clickOnAutoRepeat = true;
    return rules;
}
}  // namespace

UxScene::UxScene(QObject* parent) : QGraphicsScene(parent), m_input(mainScreenRules()) {
    // A few dozen items, several of them moving every second: a plain list is cheaper to
    // search than a tree kept up to date through every move.
    setItemIndexMethod(NoIndex);
    setSceneRect(0, 0, 272, 480);
}

void UxScene::act(const KeyInput::Actions& actions) {
    for (const KeyInput::StructAction& a : actions) {
        if (a.kind == KeyInput::StructAction::Click) {
            const QString name =
                a.held == EnumKey::None ? Keypad::name(a.key) : Keypad::chordName(a.held, a.key);
            if (!name.isEmpty()) emit signal_keyClick(name);
        } else if (a.kind == KeyInput::StructAction::LongPress) {
            emit signal_keyPress(Keypad::name(a.key));
        }
    }
}

void UxScene::keyPressEvent(QKeyEvent* event) {
    act(m_input.press(Keypad::fromQtKey(event->key()), event->isAutoRepeat()));
    event->accept();
}

void UxScene::keyReleaseEvent(QKeyEvent* event) {
    act(m_input.release(Keypad::fromQtKey(event->key()), event->isAutoRepeat()));
    event->accept();
}

void UxScene::focusOutEvent(QFocusEvent* event) {
    // The release of a key held while a menu or dialog took the focus goes to that widget;
    // a mark left behind would turn a later press into the wrong key.
    m_input.reset();
    QGraphicsScene::focusOutEvent(event);
}

void UxScene::do_timer() {
    act(m_input.tick());
}

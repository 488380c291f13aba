#include "ui/kit/ux_key_widget.h"

#include "platform/handset_board.h"

#include <QApplication>
#include <QKeyEvent>

namespace {
// Menus and editors act on fresh presses only; the keys that move repeat from the tick.
KeyInput::StructRules widgetRules(const QVector<EnumKey>& repeatKeys,
                                  const KeyInput::StructRepeat& schedule) {
    KeyInput::StructRules rules;
    rules.clickOnAutoRepeat = false;
    rules.repeatKeys = repeatKeys;
    rules.repeat = schedule;
    return rules;
}
}  // namespace

UxKeyWidget::UxKeyWidget(QWidget* parent)
    : QWidget(parent), m_input(widgetRules({}, KeyInput::StructRepeat())) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool UxKeyWidget::event(QEvent* event) {
    const bool done = QWidget::event(event);
    // Every key widget paints its whole rectangle. The screen's style sheet, inherited by its
    // children, takes that mark away when it polishes them; the mark lets the screen leave out
    // what lies under an open menu instead of repainting it, and the menu with it.
    if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange)
        setAttribute(Qt::WA_OpaquePaintEvent);
    return done;
}

void UxKeyWidget::do_timer() {
    if (!isVisible()) {
        m_input.reset();
        return;
    }
    act(m_input.tick());
}

void UxKeyWidget::act(const KeyInput::Actions& actions) {
    for (const KeyInput::StructAction& a : actions) {
        switch (a.kind) {
            case KeyInput::StructAction::Click:
                keyClicked(a.key);
                break;
            case KeyInput::StructAction::Repeat:
                keyRepeated(a.key, a.steps);
                break;
            case KeyInput::StructAction::Release:
                keyReleased(a.key);
                break;
            case KeyInput::StructAction::LongPress:
                break;  // widgets have none
        }
    }
}

void UxKeyWidget::forwardPress(EnumKey key) {
    act(m_input.press(key, false));
}

void UxKeyWidget::forwardRelease(EnumKey key) {
    act(m_input.release(key, false));
}

void UxKeyWidget::keyTone() {
    Global::beeperOn(QStringLiteral("key"));
}

void UxKeyWidget::setRepeat(const QVector<EnumKey>& keys, const KeyInput::StructRepeat& schedule) {
    m_input = KeyInput(widgetRules(keys, schedule));
}

void UxKeyWidget::keyClicked(EnumKey) {}

void UxKeyWidget::keyRepeated(EnumKey, int) {}

void UxKeyWidget::keyReleased(EnumKey) {}

void UxKeyWidget::addKeyForwarder(QWidget* widget) {
    m_forwarders.append(widget);
}

void UxKeyWidget::keepInsideParent() {
    const QWidget* parent = parentWidget();
    if (parent == nullptr) return;
    QRect r = geometry();
    const QRect room = parent->rect();
    if (r.right() > room.right()) r.moveRight(room.right());
    if (r.bottom() > room.bottom()) r.moveBottom(room.bottom());
    if (r.left() < 0) r.moveLeft(0);
    if (r.top() < 0) r.moveTop(0);
    if (r != geometry()) setGeometry(r);
}

void UxKeyWidget::keyPressEvent(QKeyEvent* event) {
    // Every key stops here: none may reach the main screen under an open widget.
    event->accept();
    act(m_input.press(Keypad::fromQtKey(event->key()), event->isAutoRepeat()));
}

void UxKeyWidget::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    act(m_input.release(Keypad::fromQtKey(event->key()), event->isAutoRepeat()));
}

void UxKeyWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QWidget* holder = QApplication::focusWidget();
    if (holder != nullptr && holder != this && !isAncestorOf(holder)) m_focusBefore = holder;
    raise();
    setFocus(Qt::OtherFocusReason);
}

void UxKeyWidget::hideEvent(QHideEvent* event) {
    m_input.reset();
    QWidget* holder = QApplication::focusWidget();
    const bool hadFocus = holder == nullptr || holder == this || isAncestorOf(holder);
    if (hadFocus && !event->spontaneous()) {
        QWidget* back = m_focusBefore.data();
        if (back == nullptr || !back->isVisible() || !back->isEnabled()) back = parentWidget();
        if (back != nullptr) back->setFocus(Qt::OtherFocusReason);
    }
    m_focusBefore.clear();
    QWidget::hideEvent(event);
}

void UxKeyWidget::focusOutEvent(QFocusEvent* event) {
    QWidget* next = QApplication::focusWidget();
    bool toForwarder = false;
    for (const QPointer<QWidget>& w : m_forwarders) {
        if (w && w == next) toForwarder = true;
    }
    if (!toForwarder) m_input.reset();
    QWidget::focusOutEvent(event);
}

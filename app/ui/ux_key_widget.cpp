#include "ui/ux_key_widget.h"

#include "platform/handset_board.h"

#include <QApplication>
#include <QKeyEvent>

UxKeyWidget::UxKeyWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void UxKeyWidget::do_timer() {
    if (!isVisible()) {
        m_repeat.reset();
        return;
    }
    const int steps = m_repeat.tick();
    if (steps > 0) repeatKey(m_repeat.heldKey(), steps);
}

void UxKeyWidget::forwardRelease(int key) {
    m_repeat.release(key);
}

bool UxKeyWidget::acceptPress(QKeyEvent* event) {
    if (event->isAutoRepeat()) return false;
    acceptForwardedPress(event->key());
    return true;
}

void UxKeyWidget::keyTone() {
    Global::beeperOn(QStringLiteral("key"));
}

void UxKeyWidget::acceptForwardedPress(int key) {
    if (isRepeatKey(key)) {
        m_repeat.press(key);
    } else {
        m_repeat.reset();
    }
}

void UxKeyWidget::setRepeatSchedule(const KeyRepeat::StructSchedule& schedule) {
    m_repeat = KeyRepeat(schedule);
}

bool UxKeyWidget::isRepeatKey(int) const {
    return false;
}

void UxKeyWidget::repeatKey(int, int) {}

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

void UxKeyWidget::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) m_repeat.release(event->key());
    event->accept();
}

void UxKeyWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QWidget* holder = QApplication::focusWidget();
    if (holder != nullptr && holder != this && !isAncestorOf(holder)) m_focusBefore = holder;
    raise();
    setFocus(Qt::OtherFocusReason);
}

void UxKeyWidget::hideEvent(QHideEvent* event) {
    m_repeat.reset();
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
    if (!toForwarder) m_repeat.reset();
    QWidget::focusOutEvent(event);
}

#include "core/ux_scene.h"

#include <QKeyEvent>

UxScene::UxScene(QObject* parent) : QGraphicsScene(parent) {
    setSceneRect(0, 0, 272, 480);
}

void UxScene::clearHold() {
    m_keyDown = false;
    m_holdCount = 0;
}

void UxScene::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool oncePerPress = key == Qt::Key_Escape || key == Qt::Key_C || key == Qt::Key_I;
    // A held key repeats as press/release pairs; the keys that act on release or on a long
    // press must see only the first press, or holding escape would click it at once.
    if (event->isAutoRepeat() && oncePerPress) {
        event->accept();
        return;
    }
    m_keyDown = true;
    switch (key) {
        case Qt::Key_Up:
            emit signal_keyClick(QStringLiteral("up"));
            break;
        case Qt::Key_Down:
            emit signal_keyClick(QStringLiteral("down"));
            break;
        case Qt::Key_Left:
            emit signal_keyClick(QStringLiteral("left"));
            break;
        case Qt::Key_Right:
            emit signal_keyClick(QStringLiteral("right"));
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit signal_keyClick(QStringLiteral("enter"));
            break;
        case Qt::Key_Escape:
            m_escPending = true;
            break;
        case Qt::Key_C:
            m_cPending = true;
            break;
        case Qt::Key_M:
            if (m_cPending) {
                m_cPending = false;
                emit signal_keyClick(QStringLiteral("apWindow"));
            } else {
                emit signal_keyClick(QStringLiteral("menu"));
            }
            break;
        case Qt::Key_I:
            m_iPending = true;
            break;
        case Qt::Key_O:
            emit signal_keyClick(QStringLiteral("zoom"));
            break;
        default:
            break;
    }
    event->accept();
}

void UxScene::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    clearHold();
    switch (event->key()) {
        case Qt::Key_Escape:
            if (m_escPending) {
                m_escPending = false;
                emit signal_keyClick(QStringLiteral("esc"));
            }
            break;
        case Qt::Key_C:
            if (m_cPending) {
                m_cPending = false;
                emit signal_keyClick(QStringLiteral("change"));
            }
            break;
        case Qt::Key_I:
            if (m_iPending) {
                m_iPending = false;
                emit signal_keyClick(QStringLiteral("ap"));
            }
            break;
        default:
            break;
    }
    event->accept();
}

void UxScene::focusOutEvent(QFocusEvent* event) {
    // The release of a key held while a menu or dialog took the focus goes to that widget;
    // a mark left behind would turn a later press into the wrong key.
    clearHold();
    m_escPending = m_cPending = m_iPending = false;
    QGraphicsScene::focusOutEvent(event);
}

void UxScene::do_timer() {
    if (!m_keyDown) return;
    if (++m_holdCount < kLongPressTicks) return;
    if (m_escPending) {
        m_escPending = false;
        emit signal_keyPress(QStringLiteral("esc"));
    }
    if (m_iPending) {
        m_iPending = false;
        emit signal_keyPress(QStringLiteral("ap"));
    }
    clearHold();
}

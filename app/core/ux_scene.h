#pragma once

#include "ui/kit/key_input.h"

#include <QGraphicsScene>

// The 272 x 480 scene that every picture is drawn on. It turns the keypad's key events into
// short key names: clicks, and long presses of escape and the autopilot key after 7 ticks.
class UxScene : public QGraphicsScene {
    Q_OBJECT
public:
    explicit UxScene(QObject* parent = nullptr);

    // Called by the main tick every 125 ms: counts how long a key has been held.
    void do_timer();

    static constexpr int kLongPressTicks = 7;

signals:
    void signal_keyClick(QString key);
    void signal_keyPress(QString key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void act(const KeyInput::Actions& actions);

    KeyInput m_input;
};

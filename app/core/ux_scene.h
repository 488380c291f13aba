#pragma once

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
    void clearHold();

    bool m_keyDown = false;
    int m_holdCount = 0;
    bool m_escPending = false;
    bool m_cPending = false;
    bool m_iPending = false;
};

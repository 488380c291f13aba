#pragma once

#include "ui/kit/key_input.h"

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QVector>
#include <QWidget>

class QKeyEvent;

// One text a widget shows and the box it is drawn in (widget coordinates), for checking that
// nothing is clipped.
struct StructTextBox {
    QString text;
    QRect box;
    QFont font;
};

// Base of the keypad widgets. A widget takes the keyboard focus when it is shown and hands it
// back when it is hidden (to the widget that had it, when that is still shown, else to its
// parent, the view). Every key stops here and reaches the widget as a keypad key. Held keys
// repeat from do_timer(), which the main tick calls every 125 ms; the keyboard's own
// auto-repeat presses are not acted on, so a held key moves at the pace of the tick whatever
// the keyboard's repeat rate.
class UxKeyWidget : public QWidget {
    Q_OBJECT
public:
    explicit UxKeyWidget(QWidget* parent = nullptr);

    // Called by the main tick: repeats the held key when it is due.
    void do_timer();

    // The texts on screen now, each with its box.
    virtual QVector<StructTextBox> textBoxes() const { return {}; }

    // A key pressed or released on a helper widget that holds the focus on this one's behalf
    // (the menu tip).
    void forwardPress(EnumKey key);
    void forwardRelease(EnumKey key);

protected:
    // A fresh press of a key (also one that is not on the keypad: EnumKey::None).
    virtual void keyClicked(EnumKey key);
    // A held repeat key, steps steps at once.
    virtual void keyRepeated(EnumKey key, int steps);
    // A key let go.
    virtual void keyReleased(EnumKey key);
    // The key tone, sounded for every press a widget acts on.
    static void keyTone();

    // Keys that repeat while held, and their schedule (none by default).
    void setRepeat(const QVector<EnumKey>& keys, const KeyInput::StructRepeat& schedule);

    // Widgets that take the focus on this one's behalf; losing the focus to them keeps a held
    // key held.
    void addKeyForwarder(QWidget* widget);

    // Keeps the widget inside its parent (the 272 x 480 screen).
    void keepInsideParent();

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void act(const KeyInput::Actions& actions);

    KeyInput m_input;
    QPointer<QWidget> m_focusBefore;
    QVector<QPointer<QWidget>> m_forwarders;
};

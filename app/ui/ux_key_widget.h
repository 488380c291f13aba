#pragma once

#include "ui/key_repeat.h"

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
// parent, the view). Held direction keys repeat from do_timer(), which the main tick calls
// every 125 ms; the keyboard's own auto-repeat presses are not acted on, so a held key moves
// at the pace of the tick whatever the keyboard's repeat rate.
class UxKeyWidget : public QWidget {
    Q_OBJECT
public:
    explicit UxKeyWidget(QWidget* parent = nullptr);

    // Called by the main tick: repeats the held key when it is due.
    void do_timer();

    // The texts on screen now, each with its box.
    virtual QVector<StructTextBox> textBoxes() const { return {}; }

    // A key release seen by a helper widget that forwards keys here (the menu tip).
    void forwardRelease(int key);

protected:
    // Starts the hold of a repeating key. Returns false for a press the widget must not act on
    // (the keyboard's auto-repeat).
    bool acceptPress(QKeyEvent* event);
    // The same for a key that arrives from a helper widget.
    void acceptForwardedPress(int key);
    // The key tone, sounded for every press a widget acts on.
    static void keyTone();

    void setRepeatSchedule(const KeyRepeat::StructSchedule& schedule);
    // Keys that repeat while held (none by default).
    virtual bool isRepeatKey(int key) const;
    // Acts on a held key steps times.
    virtual void repeatKey(int key, int steps);

    // Widgets that take the focus on this one's behalf; losing the focus to them keeps a held
    // key held.
    void addKeyForwarder(QWidget* widget);

    // Keeps the widget inside its parent (the 272 x 480 screen).
    void keepInsideParent();

    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    KeyRepeat m_repeat;
    QPointer<QWidget> m_focusBefore;
    QVector<QPointer<QWidget>> m_forwarders;
};

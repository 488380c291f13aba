#pragma once

#include "ui/kit/key_input.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QVBoxLayout;

// What every dialog shares: a frameless window with a painted high-contrast frame, a title
// bar with a short code and a title, a body laid out top to bottom, the key tone on every key
// and the keyboard focus while shown. Subclasses read their keys, as keypad keys, in
// keyPressed().
class UxDialog : public QWidget {
    Q_OBJECT
public:
    explicit UxDialog(QWidget* parent = nullptr);

    static constexpr int kWidth = 252;     // every text dialog
    static constexpr int kBodyPixel = 16;  // body text
    static constexpr int kTitlePixel = 17;
    static constexpr int kMargin = 10;  // frame to body text, each side

    QString titleText() const;
    // Sets the height that the body needs at the fixed width (after a text change).
    void fitHeight();
    QString codeText() const;

    // The colours, chosen for reading in sunlight: near-black ground, white text, a saturated
    // title band and a yellow focus mark.
    static const char* groundColor() { return "#08121f"; }
    static const char* titleColor() { return "#0a5cc2"; }
    static const char* focusColor() { return "#ffd400"; }

protected:
    void setTitleBar(const QString& code, const QString& title);
    QVBoxLayout* body() const { return m_body; }
    // A 16 px word-wrapped white label for the body.
    QLabel* newBodyLabel(Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    // Shows the dialog, raises it and gives it the keyboard focus.
    void showAndFocus();

    // A key pressed while the dialog has the focus (EnumKey::None for one that is not on the
    // keypad); the key tone has sounded already. The keyboard's own repeat of a held key
    // comes here too, unless ignoreKeyboardRepeat() was called.
    virtual void keyPressed(EnumKey key) = 0;
    // A key let go (not the keyboard's repeat).
    virtual void keyReleased(EnumKey key);
    // For dialogs that any key closes: a key held since before they appeared must not close
    // them, only a fresh press.
    void ignoreKeyboardRepeat();

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Gives the keys back to the window that had them (a list or an editor on the screen).
    void hideEvent(QHideEvent* event) override;

private:
    void act(const KeyInput::Actions& actions);

    KeyInput m_input;
    QLabel* m_code = nullptr;
    QLabel* m_title = nullptr;
    QVBoxLayout* m_body = nullptr;
    QPointer<QWidget> m_windowBefore;
};

#pragma once

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The field widgets of the list and editor screens. They never act on a key themselves: every
// press and release goes on to the parent screen, which moves the focus and edits. They only
// change their look while they hold the focus, and put their own style back afterwards.

namespace UxFocusStyle {
// Focus in: remembers the widget's own style in *saved and puts on the focus style.
void wear(QWidget* w, QString* saved, const char* focusStyle);
// Focus out: the widget's own style back, and no tool tip left behind.
void takeOff(QWidget* w, const QString& saved);
}  // namespace UxFocusStyle

// What every field shares, on top of its Qt widget: strong focus, keys passed on, the focus
// style while focused. A field adds only its constructor and, if any, what it shows on focus.
template <class Widget>
class UxFocusField : public Widget {
public:
    template <class... Args>
    explicit UxFocusField(const char* focusStyle, Args&&... args)
        : Widget(std::forward<Args>(args)...), m_focusStyle(focusStyle) {
        this->setFocusPolicy(Qt::StrongFocus);
    }

protected:
    // Called once the focus style is on.
    virtual void focusTaken() {}

    void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
    void keyReleaseEvent(QKeyEvent* event) override { event->ignore(); }
    void focusInEvent(QFocusEvent* event) override {
        Widget::focusInEvent(event);
        UxFocusStyle::wear(this, &m_style, m_focusStyle);
        focusTaken();
    }
    void focusOutEvent(QFocusEvent* event) override {
        Widget::focusOutEvent(event);
        UxFocusStyle::takeOff(this, m_style);
    }

private:
    const char* m_focusStyle;
    QString m_style;
};

class UxFocusButton : public UxFocusField<QPushButton> {
    Q_OBJECT
public:
    explicit UxFocusButton(const QString& text = QString(), QWidget* parent = nullptr);
    // True while the text is wider than the button, so the focus shows it as a tool tip.
    bool textTooWide() const;

protected:
    void focusTaken() override;
};

class UxFocusLineEdit : public UxFocusField<QLineEdit> {
    Q_OBJECT
public:
    explicit UxFocusLineEdit(QWidget* parent = nullptr);
};

class UxFocusChBox : public UxFocusField<QCheckBox> {
    Q_OBJECT
public:
    explicit UxFocusChBox(const QString& text = QString(), QWidget* parent = nullptr);
};

class UxFocusLabel : public UxFocusField<QLabel> {
    Q_OBJECT
public:
    explicit UxFocusLabel(const QString& text = QString(), QWidget* parent = nullptr);
};

// A label that shows an icon (a waypoint's symbol).
class UxFocusIcoLabel : public UxFocusField<QLabel> {
    Q_OBJECT
public:
    explicit UxFocusIcoLabel(QWidget* parent = nullptr);
};

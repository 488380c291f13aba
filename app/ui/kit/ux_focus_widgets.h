#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The field widgets of the list and editor screens. They never act on a key themselves: every
// press and release goes on to the parent screen, which moves the focus and edits. They only
// change their look while they hold the focus, and put their own style back afterwards.

class UxFocusButton : public QPushButton {
    Q_OBJECT
public:
    explicit UxFocusButton(const QString& text = QString(), QWidget* parent = nullptr);
    // True while the text is wider than the button, so the focus shows it as a tool tip.
    bool textTooWide() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_style;
};

class UxFocusLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit UxFocusLineEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_style;
};

class UxFocusChBox : public QCheckBox {
    Q_OBJECT
public:
    explicit UxFocusChBox(const QString& text = QString(), QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_style;
};

class UxFocusLabel : public QLabel {
    Q_OBJECT
public:
    explicit UxFocusLabel(const QString& text = QString(), QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_style;
};

// A label that shows an icon (a waypoint's symbol).
class UxFocusIcoLabel : public QLabel {
    Q_OBJECT
public:
    explicit UxFocusIcoLabel(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_style;
};

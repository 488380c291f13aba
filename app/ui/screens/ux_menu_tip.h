#pragma once

#include "ui/kit/ux_key_widget.h"

// A box laid over the selected row of the page list that shows the row's whole text when the
// row is too narrow for it. While shown it holds the focus and passes the keys on by name:
// "esc", "up", "down", "enter" and "c".
class UxMenuTip : public UxKeyWidget {
    Q_OBJECT
public:
    // From the box's left edge to its text.
    static constexpr int kPad = 3;  // the list rows' own

    explicit UxMenuTip(QWidget* parent = nullptr);

    // Shows text in a box width pixels wide (the caller places it).
    void showMenuTip(const QString& text, int width);
    QString text() const { return m_text; }

    QVector<StructTextBox> textBoxes() const override;

    // The name a key is passed on as; empty for keys the page list does not use.
    static QString keyName(EnumKey key);
    // The key the page list takes a passed-on name for; None for a name it does not use.
    static EnumKey keyOfName(const QString& name);

signals:
    void signal_keyClick(QString key);
    void signal_keyRelease(EnumKey key);

protected:
    void keyClicked(EnumKey key) override;
    void keyReleased(EnumKey key) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textBox() const;

    QString m_text;
};

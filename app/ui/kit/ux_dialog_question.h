#pragma once

#include "ui/kit/ux_dialog.h"

class QLabel;
class QPushButton;

// A question with two buttons. The answer is signalled with the question's type and "left"
// or "right"; the right button has the focus first.
class UxDialogQuestion : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogQuestion(QWidget* parent = nullptr);

    void showQuestion(const QString& title, const QString& text, const QString& leftText,
                      const QString& rightText, const QString& type);
    QString type() const { return m_type; }
    QString text() const;
    bool rightHasFocus() const { return m_rightFocus; }

signals:
    void signal_buttonClick(QString type, QString key);

protected:
    void keyPressed(EnumKey key) override;

private:
    void setRightFocus(bool right);
    void answer(bool right);

    QLabel* m_text = nullptr;
    QPushButton* m_left = nullptr;
    QPushButton* m_right = nullptr;
    QString m_type;
    bool m_rightFocus = true;
};

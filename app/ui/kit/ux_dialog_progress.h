#pragma once

#include "ui/kit/ux_dialog.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The progress of a long operation (binding, module update, installing). Escape or menu asks
// the operation to stop; once the button is shown, enter acknowledges the end.
class UxDialogProgress : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogProgress(QWidget* parent = nullptr);

    void showProgress(const QString& code, const QString& title, const QString& text,
                      const QString& buttonText, int maximum, const QString& type, bool withButton);
    void setTitle(const QString& code, const QString& title);
    void setText(const QString& text);
    void setValue(int value);
    void showButton(bool show);

    QString text() const;
    int value() const;
    int maximum() const;
    bool buttonShown() const;

signals:
    void signal_keyClick(QString type, QString key);

protected:
    void keyPressed(EnumKey key) override;

private:
    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_button = nullptr;
    QString m_type;
};

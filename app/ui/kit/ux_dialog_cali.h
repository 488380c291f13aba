#pragma once

#include "ui/kit/ux_dialog.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The progress of a compass calibration. Escape asks the calibration to stop; once the button
// is enabled (the calibration is over) enter or escape closes it.
class UxDialogCali : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogCali(QWidget* parent = nullptr);

    void showCali(const QString& title, const QString& type, const QString& buttonText, int maximum,
                  const QString& text);
    void setValue(int value);
    void setText(const QString& text);
    void setButtonEnable(bool enable);
    QString type() const { return m_type; }
    QString text() const;
    int value() const;

signals:
    void signal_keyClick(QString key);

protected:
    void keyPressed(EnumKey key) override;

private:
    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_button = nullptr;
    QString m_type;
};

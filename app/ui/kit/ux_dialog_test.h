#pragma once

#include "ui/kit/ux_dialog.h"

class QLabel;
class QPushButton;

// The compass test: the handset's ("dsp") and the boat's ("boat") heading while the user
// turns the compass. The change key is passed on for the compass to act on.
class UxDialogTest : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogTest(QWidget* parent = nullptr);

    void showTest();
    // which: "dsp" or "boat"; degrees shown as a whole number.
    void setAngle(const QString& which, int degrees);
    QString angleText(const QString& which) const;

signals:
    void signal_keyClick(QString key);

protected:
    void keyPressed(EnumKey key) override;

private:
    QLabel* m_text = nullptr;
    QLabel* m_dsp = nullptr;
    QLabel* m_boat = nullptr;
    QPushButton* m_button = nullptr;
};

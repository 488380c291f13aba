#pragma once

#include "ui/kit/ux_dialog.h"

class QLabel;
class QProgressBar;

// Shown by a long press of escape while escape is still held: counts down three seconds and
// then asks for the power-off. Releasing escape, or losing the focus, cancels it.
class UxDialogPowerOff : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogPowerOff(QWidget* parent = nullptr);

    void showPowerOff();
    int ticks() const { return m_ticks; }
    QString text() const;
    void do_timer();

signals:
    void signal_powerOff();

protected:
    void keyPressed(EnumKey key) override;
    void keyReleased(EnumKey key) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void cancel();

    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    int m_ticks = 0;
};

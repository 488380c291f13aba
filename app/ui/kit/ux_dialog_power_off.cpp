#include "ui/kit/ux_dialog_power_off.h"

#include "base/tr_resource.h"
#include "ui/kit/dialog_progress_bar.h"
#include "ui/kit/power_off_count.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

UxDialogPowerOff::UxDialogPowerOff(QWidget* parent) : UxDialog(parent) {
    setMinimumHeight(135);
    m_text = newBodyLabel(Qt::AlignCenter);
    body()->addWidget(m_text, 1);
    m_bar = DialogProgressBar::create(this);
    m_bar->setRange(0, PowerOffCount::kPowerOffTick);
    body()->addWidget(m_bar);
}

void UxDialogPowerOff::showPowerOff() {
    m_ticks = 0;
    m_bar->setValue(0);
    setTitleBar(QString(), TrResource::getTrString(TR_PowerOff));
    m_text->setText(TrResource::getTrString(TR_PowerOff));
    showAndFocus();
}

QString UxDialogPowerOff::text() const {
    return m_text->text();
}

void UxDialogPowerOff::cancel() {
    m_ticks = 0;
    hide();
}

void UxDialogPowerOff::do_timer() {
    if (!isVisible()) return;
    // Counting needs the keyboard: a window that took it over means escape is no longer
    // watched, so the count must not run on unattended.
    if (!hasFocus()) {
        cancel();
        return;
    }
    if (m_ticks >= PowerOffCount::kPowerOffTick) return;  // asked once already
    ++m_ticks;
    m_bar->setValue(qMin(m_ticks, PowerOffCount::kPowerOffTick));
    if (m_ticks >= PowerOffCount::kPowerOffTick) {
        emit signal_powerOff();
        return;
    }
    m_text->setText(TrResource::getTrString(PowerOffCount::textAt(m_ticks)) +
                    QStringLiteral("..."));
}

void UxDialogPowerOff::keyPressed(EnumKey) {}

void UxDialogPowerOff::keyReleased(EnumKey key) {
    // Shown while escape is still held from the long press: letting it go cancels.
    if (key == EnumKey::Escape) cancel();
}

void UxDialogPowerOff::focusOutEvent(QFocusEvent* event) {
    UxDialog::focusOutEvent(event);
    if (isVisible()) cancel();
}

#include "ui/kit/ux_dialog_count_down.h"

#include "base/tr_resource.h"
#include "platform/handset_board.h"
#include "ui/kit/dialog_progress_bar.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

UxDialogCountDown::UxDialogCountDown(QWidget* parent) : UxDialog(parent) {
    ignoreKeyboardRepeat();
    setMinimumHeight(135);
    m_text = newBodyLabel(Qt::AlignCenter);
    body()->addWidget(m_text, 1);
    m_bar = DialogProgressBar::create(this);
    body()->addWidget(m_bar);
}

QString UxDialogCountDown::clockText(int seconds) {
    const int s = qMax(0, seconds);
    return QStringLiteral("%1:%2")
        .arg(s / 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

void UxDialogCountDown::showCountDown(const QString& title, int seconds) {
    setTitleBar(QString(), title);
    m_total = qMax(0, seconds);
    m_remaining = m_total;
    m_ticks = 0;
    m_counting = true;
    m_bar->setRange(0, qMax(1, m_total));
    refresh();
    Global::beeperOn(QStringLiteral("message"));
    showAndFocus();
}

void UxDialogCountDown::stopCountDown() {
    m_counting = false;
    hide();
}

QString UxDialogCountDown::text() const {
    return m_text->text();
}

void UxDialogCountDown::refresh() {
    m_text->setText(TrResource::getTrString(TR_TargetArrived) + QLatin1Char('\n') +
                    TrResource::getTrString(TR_GoToNextTargetIn) + QLatin1Char(' ') +
                    clockText(m_remaining));
    m_bar->setValue(m_total - m_remaining);
}

void UxDialogCountDown::do_timer() {
    if (!m_counting) return;
    // A zero wait ends on the next tick; otherwise one second per 8 ticks.
    if (m_remaining > 0) {
        if (++m_ticks < kTicksPerSecond) return;
        m_ticks = 0;
        --m_remaining;
        refresh();
        if (m_remaining > 0) return;
    }
    m_counting = false;
    emit signal_timeOver();
}

void UxDialogCountDown::keyPressed(EnumKey) {
    hide();
}

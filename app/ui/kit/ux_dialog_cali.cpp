#include "ui/kit/ux_dialog_cali.h"

#include "base/keypad.h"
#include "ui/kit/dialog_button.h"
#include "ui/kit/dialog_progress_bar.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

UxDialogCali::UxDialogCali(QWidget* parent) : UxDialog(parent) {
    setMinimumHeight(135);
    m_text = newBodyLabel(Qt::AlignCenter);
    body()->addWidget(m_text, 1);
    m_bar = DialogProgressBar::create(this);
    body()->addWidget(m_bar);
    m_button = DialogButton::create(this);
    m_button->setMinimumWidth(110);
    body()->addWidget(m_button, 0, Qt::AlignHCenter);
}

void UxDialogCali::showCali(const QString& title, const QString& type, const QString& buttonText,
                            int maximum, const QString& text) {
    setTitleBar(QString(), title);
    m_type = type;
    m_button->setText(buttonText);
    m_bar->setRange(0, qMax(1, maximum));
    m_bar->setValue(0);
    m_text->setText(text);
    setButtonEnable(false);
    showAndFocus();
}

void UxDialogCali::setValue(int value) {
    m_bar->setValue(qBound(m_bar->minimum(), value, m_bar->maximum()));
}

void UxDialogCali::setText(const QString& text) {
    m_text->setText(text);
    fitHeight();
}

void UxDialogCali::setButtonEnable(bool enable) {
    m_button->setEnabled(enable);
    DialogButton::setFocused(m_button, enable);
}

QString UxDialogCali::text() const {
    return m_text->text();
}

int UxDialogCali::value() const {
    return m_bar->value();
}

void UxDialogCali::keyPressed(EnumKey key) {
    if (key == EnumKey::Enter) {
        if (m_button->isEnabled()) hide();
    } else if (isEscapeOrMenu(key)) {
        emit signal_keyClick(Keypad::name(EnumKey::Escape));
        if (m_button->isEnabled()) hide();
    }
}

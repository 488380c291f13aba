#include "ui/kit/ux_dialog_progress.h"

#include "base/keypad.h"
#include "ui/kit/dialog_button.h"
#include "ui/kit/dialog_progress_bar.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

UxDialogProgress::UxDialogProgress(QWidget* parent) : UxDialog(parent) {
    setMinimumHeight(135);
    m_text = newBodyLabel(Qt::AlignCenter);
    body()->addWidget(m_text, 1);
    m_bar = DialogProgressBar::create(this);
    body()->addWidget(m_bar);
    m_button = DialogButton::create(this);
    DialogButton::setFocused(m_button, true);
    body()->addWidget(m_button, 0, Qt::AlignHCenter);
    m_button->setMinimumWidth(110);
    m_button->hide();
}

void UxDialogProgress::showProgress(const QString& code, const QString& title, const QString& text,
                                    const QString& buttonText, int maximum, const QString& type,
                                    bool withButton) {
    setTitleBar(code, title);
    m_text->setText(text);
    m_button->setText(buttonText);
    m_bar->setRange(0, qMax(1, maximum));
    m_bar->setValue(0);
    m_type = type;
    m_button->setVisible(withButton);
    showAndFocus();
}

void UxDialogProgress::setTitle(const QString& code, const QString& title) {
    setTitleBar(code, title);
}

void UxDialogProgress::setText(const QString& text) {
    m_text->setText(text);
    fitHeight();
}

void UxDialogProgress::setValue(int value) {
    m_bar->setValue(qBound(m_bar->minimum(), value, m_bar->maximum()));
}

void UxDialogProgress::showButton(bool show) {
    m_button->setVisible(show);
    fitHeight();
}

QString UxDialogProgress::text() const {
    return m_text->text();
}

int UxDialogProgress::value() const {
    return m_bar->value();
}

int UxDialogProgress::maximum() const {
    return m_bar->maximum();
}

bool UxDialogProgress::buttonShown() const {
    return !m_button->isHidden();
}

void UxDialogProgress::keyPressed(EnumKey key) {
    if (key == EnumKey::Enter && buttonShown()) {
        hide();
        emit signal_keyClick(m_type, QStringLiteral("ok"));
    } else if (isEscapeOrMenu(key)) {
        emit signal_keyClick(m_type, Keypad::name(EnumKey::Escape));
    }
}

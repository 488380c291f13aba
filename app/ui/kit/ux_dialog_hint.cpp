#include "ui/kit/ux_dialog_hint.h"

#include "platform/handset_board.h"

#include <QLabel>
#include <QVBoxLayout>

UxDialogHint::UxDialogHint(QWidget* parent) : UxDialog(parent) {
    // A key held since before the hint appeared repeats; only a fresh press dismisses it.
    ignoreKeyboardRepeat();
    setMinimumHeight(kMinHeight);
    m_text = newBodyLabel(Qt::AlignCenter);
    body()->addWidget(m_text, 1);
}

void UxDialogHint::showHint(const QString& code, const QString& title, const QString& text,
                            bool autoClose, bool beep) {
    setTitleBar(code, title);
    m_text->setText(text);
    m_autoClose = autoClose;
    m_ticks = 0;
    if (beep) Global::beeperOn(QStringLiteral("message"));
    showAndFocus();
}

void UxDialogHint::appendHint(const QString& code, const QString& text, bool beep) {
    setTitleBar(code, titleText());
    const QString shown = m_text->text();
    m_text->setText(shown.isEmpty() ? text : shown + QLatin1Char('\n') + text);
    m_ticks = 0;
    if (beep) Global::beeperOn(QStringLiteral("message"));
    showAndFocus();
}

QString UxDialogHint::text() const {
    return m_text->text();
}

void UxDialogHint::close() {
    hide();
    m_text->clear();
    m_autoClose = false;
}

void UxDialogHint::do_timer() {
    if (!isVisible() || !m_autoClose) return;
    if (++m_ticks >= kAutoCloseTicks) close();
}

void UxDialogHint::keyPressed(EnumKey) {
    close();
}

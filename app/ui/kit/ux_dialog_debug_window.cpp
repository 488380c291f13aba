#include "ui/kit/ux_dialog_debug_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int kLogLines = 500;
}

UxDialogDebugWindow::UxDialogDebugWindow(QWidget* parent) : UxDialog(parent) {
    m_number_label = newBodyLabel();
    m_number_label->setWordWrap(true);
    body()->addWidget(m_number_label);
    m_log = new QPlainTextEdit(this);
    m_log->setReadOnly(true);
    m_log->setFocusPolicy(Qt::NoFocus);
    m_log->setMaximumBlockCount(kLogLines);
    m_log->setFixedHeight(300);
    QFont font;
    font.setPixelSize(12);
    m_log->setFont(font);
    m_log->setStyleSheet(
        QStringLiteral("QPlainTextEdit{background:#0b1a2e;color:#ffffff;border:1px solid "
                       "#8fa6c4;}"));
    body()->addWidget(m_log);
    setTitleBar(QString(), QStringLiteral("Debug"));
    refreshNumber();
}

void UxDialogDebugWindow::setCommands(const QStringList& commands) {
    m_commands = commands;
    m_number = commands.isEmpty() ? -1 : qBound(0, m_number, commands.size() - 1);
    refreshNumber();
}

void UxDialogDebugWindow::refreshNumber() {
    if (m_number < 0) {
        m_number_label->setText(QStringLiteral("-"));
        return;
    }
    m_number_label->setText(
        QStringLiteral("%1/%2  %3").arg(m_number).arg(m_commands.size() - 1).arg(currentCommand()));
}

void UxDialogDebugWindow::appendText(const QString& text) {
    m_log->appendPlainText(text);
}

QString UxDialogDebugWindow::shownText() const {
    return m_log->toPlainText();
}

void UxDialogDebugWindow::showWindow() {
    refreshNumber();
    showAndFocus();
}

void UxDialogDebugWindow::keyPressed(EnumKey key) {
    const int count = m_commands.size();
    if (key == EnumKey::Up && count > 0) {
        m_number = (m_number + 1) % count;
        refreshNumber();
    } else if (key == EnumKey::Down && count > 0) {
        m_number = (m_number + count - 1) % count;
        refreshNumber();
    } else if (key == EnumKey::Enter) {
        emit signal_DialogButtonClick();
    } else if (isEscapeOrMenu(key)) {
        hide();
    }
}

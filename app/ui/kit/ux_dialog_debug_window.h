#pragma once

#include "ui/kit/ux_dialog.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;

// The service window: picks one of the test commands read from the SD card by its number
// (up/down) and sends it with enter; shows what was sent and what came back.
class UxDialogDebugWindow : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogDebugWindow(QWidget* parent = nullptr);

    void setCommands(const QStringList& commands);
    QStringList commands() const { return m_commands; }
    // The number field: 0..count-1, or -1 while there is no command.
    int number() const { return m_number; }
    QString currentCommand() const { return m_commands.value(m_number); }
    void appendText(const QString& text);
    QString shownText() const;
    void showWindow();

signals:
    void signal_DialogButtonClick();

protected:
    void keyPressed(EnumKey key) override;

private:
    void refreshNumber();

    QLabel* m_number_label = nullptr;
    QPlainTextEdit* m_log = nullptr;
    QStringList m_commands;
    int m_number = -1;
};

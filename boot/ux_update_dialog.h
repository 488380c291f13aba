#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// The confirmation dialog: current and new version, a status line, the progress bar and the
// buttons "No" and "Yes". The keypad moves between the buttons with any arrow; Enter takes the
// button that has the focus. With the buttons hidden (installing, or a failure on screen)
// Enter and Escape still reach the program, which decides what they mean then.
class UxUpdateDialog : public QWidget {
    Q_OBJECT
public:
    explicit UxUpdateDialog(QWidget* parent = nullptr);

    void setVersions(const QString& current, const QString& offered);
    void setStatus(const QString& text);
    void setProgress(int value, int maximum, const QString& text);
    void hideButtons();
    // Shows the dialog with the keyboard focus on "Yes" or "No".
    void showWithFocus(bool yes);

signals:
    void signal_buttonClick_yes();
    void signal_buttonClick_no();
    void signal_EscKeyPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_current;
    QLabel* m_offered;
    QLabel* m_status;
    QProgressBar* m_progress;
    QPushButton* m_no;
    QPushButton* m_yes;
};

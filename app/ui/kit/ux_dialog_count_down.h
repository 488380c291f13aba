#pragma once

#include "ui/kit/ux_dialog.h"

class QLabel;
class QProgressBar;

// The wait at a reached target before the next leg: counts the seconds down on the main tick
// and signals the end once. A key only dismisses the view; the count goes on, so that the
// task continues as planned.
class UxDialogCountDown : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogCountDown(QWidget* parent = nullptr);

    static constexpr int kTicksPerSecond = 8;

    void showCountDown(const QString& title, int seconds);
    // Stops the count without signalling and hides the dialog.
    void stopCountDown();
    bool counting() const { return m_counting; }
    int remaining() const { return m_remaining; }
    QString text() const;
    void do_timer();

    // "mm:ss" of a number of seconds.
    static QString clockText(int seconds);

signals:
    void signal_timeOver();

protected:
    void keyPressed(EnumKey key) override;

private:
    void refresh();

    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    int m_total = 0;
    int m_remaining = 0;
    int m_ticks = 0;
    bool m_counting = false;
};

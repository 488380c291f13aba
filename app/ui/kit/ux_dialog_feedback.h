#pragma once

#include "ui/kit/feedback_wait.h"
#include "ui/kit/ux_dialog.h"

#include <atomic>
#include <cstdint>

class QLabel;
class QProgressBar;

// Watches a command until the boat acknowledges it: asks for it to be sent again while the
// acknowledgement flag stays clear and reports success or failure (FeedbackWait). An empty
// text keeps the dialog hidden; the wait runs all the same.
class UxDialogFeedBack : public UxDialog {
    Q_OBJECT
public:
    explicit UxDialogFeedBack(QWidget* parent = nullptr);

    // flag: the acknowledgement flag that the link sets; it must outlive the wait.
    void showFeedback(const QString& title, const QString& text, const QString& type,
                      const std::atomic<uint8_t>* flag);
    void setText(const QString& text);
    QString text() const;
    QString type() const { return m_type; }
    int progress() const;
    const FeedbackWait& wait() const { return m_wait; }
    void do_timer();

signals:
    void signal_todo(QString type);
    void signal_success(QString type);
    void signal_fail(QString type);

protected:
    void keyPressed(EnumKey key) override;

private:
    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QString m_type;
    const std::atomic<uint8_t>* m_flag = nullptr;
    FeedbackWait m_wait;
};

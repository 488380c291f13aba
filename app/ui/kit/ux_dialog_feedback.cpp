#include "ui/kit/ux_dialog_feedback.h"

#include "ui/kit/dialog_progress_bar.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

UxDialogFeedBack::UxDialogFeedBack(QWidget* parent) : UxDialog(parent) {
    setMinimumHeight(135);
    m_text = newBodyLabel(Qt::AlignCenter);
    body()->addWidget(m_text, 1);
    m_bar = DialogProgressBar::create(this);
    m_bar->setRange(0, FeedbackWait::kResultStep);
    body()->addWidget(m_bar);
}

void UxDialogFeedBack::showFeedback(const QString& title, const QString& text, const QString& type,
                                    const std::atomic<uint8_t>* flag) {
    setTitleBar(QString(), title);
    m_text->setText(text);
    m_type = type;
    m_flag = flag;
    m_bar->setValue(0);
    m_wait.start();
    if (text.isEmpty()) {
        hide();
    } else {
        showAndFocus();
    }
}

void UxDialogFeedBack::setText(const QString& text) {
    m_text->setText(text);
    fitHeight();
}

QString UxDialogFeedBack::text() const {
    return m_text->text();
}

int UxDialogFeedBack::progress() const {
    return m_bar->value();
}

void UxDialogFeedBack::do_timer() {
    if (!m_wait.active()) return;
    const bool flagSet = m_flag && m_flag->load() != 0;
    const FeedbackWait::EnumEvent event = m_wait.tick(flagSet);
    m_bar->setValue(qMin(m_wait.step(), FeedbackWait::kResultStep));
    // The type is copied: a handler may start the next wait with another type.
    const QString type = m_type;
    switch (event) {
        case FeedbackWait::EnumEvent::Todo:
            emit signal_todo(type);
            break;
        case FeedbackWait::EnumEvent::Success:
            emit signal_success(type);
            break;
        case FeedbackWait::EnumEvent::TodoThenFail:
            emit signal_todo(type);
            emit signal_fail(type);
            break;
        case FeedbackWait::EnumEvent::Hide:
            hide();
            break;
        case FeedbackWait::EnumEvent::None:
            break;
    }
}

void UxDialogFeedBack::keyPressed(EnumKey) {
    // Until the result is in, the wait cannot be dismissed.
    if (!m_wait.judged()) return;
    m_wait.stop();
    hide();
}

#include "ui/kit/dialog_prompter.h"

#include "base/log.h"
#include "base/tr_resource.h"
#include "navi/navi_hints.h"
#include "platform/handset_board.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_count_down.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/kit/ux_dialog_question.h"

DialogPrompter::DialogPrompter(DialogHost& dialogs, QObject* parent)
    : QObject(parent), m_dialogs(dialogs) {
    connect(m_dialogs.question(), &UxDialogQuestion::signal_buttonClick, this,
            &DialogPrompter::questionAnswered);
    UxDialogFeedBack* feedBack = m_dialogs.feedBack();
    connect(feedBack, &UxDialogFeedBack::signal_todo, this,
            [this](const QString& type) { ackReported(type, EnumAckReport::Resend); });
    connect(feedBack, &UxDialogFeedBack::signal_success, this,
            [this](const QString& type) { ackReported(type, EnumAckReport::Success); });
    connect(feedBack, &UxDialogFeedBack::signal_fail, this,
            [this](const QString& type) { ackReported(type, EnumAckReport::Failure); });
    connect(m_dialogs.countDown(), &UxDialogCountDown::signal_timeOver, this,
            &DialogPrompter::countDownOver);
}

void DialogPrompter::ask(const StructQuestion& question, std::function<void(EnumAnswer)> onAnswer) {
    m_questionKind = question.kind;
    m_onAnswer = std::move(onAnswer);
    m_dialogs.question()->showQuestion(question.title, question.text, question.leftText,
                                       question.rightText, DialogKind::text(question.kind));
}

bool DialogPrompter::isAsking(EnumDialogKind kind) const {
    const UxDialogQuestion* q = m_dialogs.question();
    return q->isVisible() && q->type() == DialogKind::text(kind);
}

void DialogPrompter::questionAnswered(const QString& type, const QString& key) {
    if (!m_onAnswer || DialogKind::fromText(type) != m_questionKind) return;
    // Taken before the call: the answer may ask the next question.
    const std::function<void(EnumAnswer)> onAnswer = std::move(m_onAnswer);
    m_onAnswer = nullptr;
    m_questionKind = EnumDialogKind::None;
    onAnswer(key == QLatin1String("right") ? EnumAnswer::Right : EnumAnswer::Left);
}

void DialogPrompter::hint(EnumHintCode code, const QString& text) {
    if (text.isEmpty()) {
        const StructNaviHint h = NaviHints::hint(HintCode::text(code));
        qCInfo(lcNavi).noquote() << h.code << h.text;
        m_dialogs.hint()->showHint(h.code, h.title, h.text, h.autoClose, true);
        return;
    }
    qCInfo(lcCore).noquote() << HintCode::text(code) << text;
    m_dialogs.hint()->showHint(HintCode::text(code), TrResource::getTrString(TR_Error), text, false,
                               true);
}

void DialogPrompter::notice(const QString& title, const QStringList& lines, bool autoClose) {
    UxDialogHint* hint = m_dialogs.hint();
    hint->showHint(QString(), title, lines.value(0), autoClose, true);
    for (int i = 1; i < lines.size(); ++i)
        hint->appendHint(QString(), lines.at(i), false);
}

void DialogPrompter::message(const QString& title, const QString& text) {
    qCInfo(lcNavi).noquote() << text;
    UxDialogHint* hint = m_dialogs.hint();
    if (hint->isVisible()) {
        hint->appendHint(QString(), text, true);
    } else {
        hint->showHint(QString(), title, text, false, true);
    }
}

void DialogPrompter::awaitAck(const StructAckWait& wait) {
    m_wait = wait;
    m_dialogs.feedBack()->showFeedback(wait.title, wait.text, DialogKind::text(wait.kind),
                                       wait.flag);
}

void DialogPrompter::ackReported(const QString& type, EnumAckReport outcome) {
    if (DialogKind::fromText(type) != m_wait.kind || m_wait.kind == EnumDialogKind::None) return;
    if (outcome == EnumAckReport::Resend) {
        if (m_resendHeld && m_resendHeld()) {
            if (m_resendsHeld++ == 0) qCInfo(lcLink) << "repeats held while the link is lost";
            return;
        }
        if (m_resendsHeld > 0) qCInfo(lcLink) << "repeats resumed after" << m_resendsHeld << "held";
        m_resendsHeld = 0;
        if (m_wait.resend) m_wait.resend();
        return;
    }
    // The wait has ended; its callbacks go with it before they run.
    const StructAckWait ended = std::move(m_wait);
    m_wait = StructAckWait();
    if (outcome == EnumAckReport::Success) {
        if (ended.onSuccess) ended.onSuccess();
        return;
    }
    UxDialogFeedBack* feedBack = m_dialogs.feedBack();
    if (!ended.failureText.isEmpty()) feedBack->setText(ended.failureText);
    if (ended.revealFailure) {
        feedBack->show();
        feedBack->fitHeight();
        Global::beeperOn(QStringLiteral("message"));
    }
    if (ended.onFailure) ended.onFailure();
}

void DialogPrompter::countDown(const QString& title, int seconds, std::function<void()> onOver) {
    m_onCountDownOver = std::move(onOver);
    m_dialogs.countDown()->showCountDown(title, seconds);
}

void DialogPrompter::stopCountDown() {
    m_onCountDownOver = nullptr;
    m_dialogs.countDown()->stopCountDown();
}

void DialogPrompter::countDownOver() {
    m_dialogs.countDown()->hide();
    const std::function<void()> onOver = std::move(m_onCountDownOver);
    m_onCountDownOver = nullptr;
    if (onOver) onOver();
}

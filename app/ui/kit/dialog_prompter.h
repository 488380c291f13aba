#pragma once

#include "state/prompter.h"

#include <QObject>

class DialogHost;

// The prompter on the handset's dialogs: the question, hint, acknowledgement and count-down
// dialogs of the host. Each dialog shows one thing at a time, so one callback of each is
// pending; a new question drops the answer of the one it replaces.
class DialogPrompter : public QObject, public Prompter {
    Q_OBJECT
public:
    explicit DialogPrompter(DialogHost& dialogs, QObject* parent = nullptr);

    void ask(const StructQuestion& question, std::function<void(EnumAnswer)> onAnswer) override;
    bool isAsking(EnumDialogKind kind) const override;
    void hint(EnumHintCode code, const QString& text = QString()) override;
    void notice(const QString& title, const QStringList& lines, bool autoClose) override;
    void message(const QString& title, const QString& text) override;
    void awaitAck(const StructAckWait& wait) override;
    void countDown(const QString& title, int seconds, std::function<void()> onOver) override;
    void stopCountDown() override;

    // What the dialogs report, as their signals carry it: a question's button ("left" or
    // "right") and the acknowledgement wait's outcome. Their own signals arrive here too.
    enum class EnumAckReport { Resend, Success, Failure };
    void questionAnswered(const QString& type, const QString& key);
    void ackReported(const QString& type, EnumAckReport outcome);
    // While held() is true a wait sends nothing again: a lost link would only swallow the
    // repeats. The wait goes on counting, and its next step after the link is back sends.
    void setResendHold(std::function<bool()> held) { m_resendHeld = std::move(held); }

private:
    void countDownOver();

    DialogHost& m_dialogs;
    EnumDialogKind m_questionKind = EnumDialogKind::None;
    std::function<void(EnumAnswer)> m_onAnswer;
    StructAckWait m_wait;
    std::function<void()> m_onCountDownOver;
    std::function<bool()> m_resendHeld;
    int m_resendsHeld = 0;
};

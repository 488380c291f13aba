#pragma once

#include "state/prompter.h"

#include <QList>
#include <QPair>

// A prompter that shows nothing: it records what the state layer said and lets the test
// answer, acknowledge and end count-downs as a user or the boat would.
class FakePrompter : public Prompter {
public:
    void ask(const StructQuestion& question, std::function<void(EnumAnswer)> onAnswer) override {
        questions << question;
        m_onAnswer = std::move(onAnswer);
    }
    bool isAsking(EnumDialogKind kind) const override {
        return m_onAnswer && !questions.isEmpty() && questions.last().kind == kind;
    }
    void hint(EnumHintCode code, const QString& text = QString()) override {
        hints << code;
        hintTexts << text;
    }
    void notice(const QString& title, const QStringList& lines, bool) override {
        notices << QPair<QString, QStringList>(title, lines);
    }
    void message(const QString&, const QString& text) override { messages << text; }
    void awaitAck(const StructAckWait& wait) override {
        waits << wait.kind;
        m_wait = wait;
    }
    void countDown(const QString&, int seconds, std::function<void()> onOver) override {
        countDowns << seconds;
        m_onOver = std::move(onOver);
    }
    void stopCountDown() override {
        ++stoppedCountDowns;
        m_onOver = nullptr;
    }

    // The user: a button of the last question, or escape (no answer).
    void answer(EnumAnswer a) {
        auto f = std::move(m_onAnswer);
        m_onAnswer = nullptr;
        if (f) f(a);
    }
    void escape() { m_onAnswer = nullptr; }
    // The boat: the command of the last wait is confirmed, or never is.
    void acknowledge() { endWait(true); }
    void failAck() { endWait(false); }
    void resendAck() {
        if (m_wait.resend) m_wait.resend();
    }
    // The count-down ran out.
    void countDownOver() {
        auto f = std::move(m_onOver);
        m_onOver = nullptr;
        if (f) f();
    }
    bool countingDown() const { return bool(m_onOver); }

    QList<StructQuestion> questions;
    QList<EnumHintCode> hints;
    QStringList hintTexts;
    QList<QPair<QString, QStringList>> notices;
    QStringList messages;
    QList<EnumDialogKind> waits;
    QList<int> countDowns;
    int stoppedCountDowns = 0;

private:
    void endWait(bool ok) {
        const StructAckWait w = std::move(m_wait);
        m_wait = StructAckWait();
        if (ok && w.onSuccess) w.onSuccess();
        if (!ok && w.onFailure) w.onFailure();
    }

    std::function<void(EnumAnswer)> m_onAnswer;
    StructAckWait m_wait;
    std::function<void()> m_onOver;
};

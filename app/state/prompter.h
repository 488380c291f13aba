#pragma once

#include "base/dialog_kind.h"
#include "base/hint_code.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>

// The two buttons of a question, as they stand on screen.
enum class EnumAnswer { Left, Right };

struct StructQuestion {
    EnumDialogKind kind = EnumDialogKind::None;
    QString title;
    QString text;
    QString leftText;
    QString rightText;
};

// A command the boat must acknowledge: the wait shows title and text (an empty text keeps the
// wait hidden) and asks for the command again while the acknowledgement flag stays clear.
struct StructAckWait {
    EnumDialogKind kind = EnumDialogKind::None;
    QString title;
    QString text;
    // Set by the link when the boat confirms; it must outlive the wait.
    const std::atomic<uint8_t>* flag = nullptr;
    std::function<void()> resend;
    std::function<void()> onSuccess;
    std::function<void()> onFailure;
    // What the wait says when the boat never confirms (empty: its text stays), and whether a
    // hidden wait comes up then, with the message tone, so that the failure is seen.
    QString failureText;
    bool revealFailure = false;
};

// How the state layer speaks to the user, without knowing any widget: questions with a
// callback for the answer, messages by their code or with their own text, acknowledgement
// waits and count-downs. The dialogs implement it; the tests use a fake that records.
class Prompter {
public:
    virtual ~Prompter();

    // onAnswer runs once with the button chosen; never when the question is closed without
    // an answer (escape, or another question in its place).
    virtual void ask(const StructQuestion& question, std::function<void(EnumAnswer)> onAnswer) = 0;
    // Whether that kind of question is on screen now.
    virtual bool isAsking(EnumDialogKind kind) const = 0;

    // A numbered message; an empty text takes the code's own text.
    virtual void hint(EnumHintCode code, const QString& text = QString()) = 0;
    // A message of its own: its lines under the title (sounds the message tone).
    virtual void notice(const QString& title, const QStringList& lines, bool autoClose) = 0;
    // One line added to the message on screen, or a new message when none is up.
    virtual void message(const QString& title, const QString& text) = 0;

    virtual void awaitAck(const StructAckWait& wait) = 0;

    // A count-down of seconds under the title; onOver runs when it ends.
    virtual void countDown(const QString& title, int seconds, std::function<void()> onOver) = 0;
    // Ends a count-down on screen without running its onOver.
    virtual void stopCountDown() = 0;
};

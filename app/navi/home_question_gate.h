#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

// When "Use the last home position?" may be asked. The question closes without an answer on
// escape; without a second chance that left the whole run without a home. So a dismissed
// question comes back at a later fix, but never sooner than kRetryMs after it was seen closed,
// so that a user who keeps dismissing it is not asked on every fix.
class HomeQuestionGate {
public:
    static constexpr qint64 kRetryMs = 10000;

    // clock: milliseconds of a steady clock; the default is the process's own.
    explicit HomeQuestionGate(std::function<qint64()> clock = {});

    // At a usable fix near the saved home: whether to ask now. onScreen tells whether the
    // question asked before is still showing (another dialog may have replaced it).
    bool mayAsk(bool onScreen);
    void asked() { m_state = EnumState::Open; }
    void answered() { m_state = EnumState::Answered; }
    void setClock(std::function<qint64()> clock);

private:
    enum class EnumState { NotAsked, Open, Dismissed, Answered };
    EnumState m_state = EnumState::NotAsked;
    qint64 m_dismissedAt = 0;
    std::function<qint64()> m_clock;
};

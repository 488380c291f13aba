#include "navi/home_question_gate.h"

#include <QElapsedTimer>

HomeQuestionGate::HomeQuestionGate(std::function<qint64()> clock) {
    setClock(std::move(clock));
}

void HomeQuestionGate::setClock(std::function<qint64()> clock) {
    if (!clock) {
        auto started = std::make_shared<QElapsedTimer>();
        started->start();
        clock = [started] { return started->elapsed(); };
    }
    m_clock = std::move(clock);
}

bool HomeQuestionGate::mayAsk(bool onScreen) {
    switch (m_state) {
        case EnumState::NotAsked:
            return true;
        case EnumState::Open:
            if (onScreen) return false;
            m_state = EnumState::Dismissed;
            m_dismissedAt = m_clock();
            return false;
        case EnumState::Dismissed:
            return m_clock() - m_dismissedAt >= kRetryMs;
        case EnumState::Answered:
            break;
    }
    return false;
}

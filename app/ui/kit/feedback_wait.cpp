#include "ui/kit/feedback_wait.h"

void FeedbackWait::start() {
    m_active = true;
    m_ticks = 0;
    m_step = 0;
}

void FeedbackWait::stop() {
    m_active = false;
}

FeedbackWait::EnumEvent FeedbackWait::tick(bool flagSet) {
    if (!m_active) return EnumEvent::None;
    if (++m_ticks < kTicksPerStep) return EnumEvent::None;
    m_ticks = 0;
    ++m_step;
    if (m_step > kLastStep) {
        m_active = false;
        return EnumEvent::Hide;
    }
    if (m_step < kFirstRepeatStep || m_step > kResultStep) return EnumEvent::None;
    if (flagSet) {
        m_step = kResultStep;
        return EnumEvent::Success;
    }
    // The command goes out once more on every step up to the result step, 18 times in all.
    return m_step == kResultStep ? EnumEvent::TodoThenFail : EnumEvent::Todo;
}

#include "link/radio_bind.h"

#include "link/ux_data.h"

RadioBind::RadioBind(UxData& data, QObject* parent) : QObject(parent), m_data(data) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RadioBind::step);
}

void RadioBind::show(const char* code, int text) {
    if (code) m_view.code = QLatin1String(code);
    m_view.text = text;
    emit signal_view(m_view);
}

bool RadioBind::start() {
    if (running()) return false;
    LinkState& s = m_data.linkState();
    s.flag_getCmd_ack = 0;
    s.flag_getCmd_bindOk = 0;
    m_cancelled = false;
    m_view = StructBindView();
    m_state = State::WaitSilence;
    // Frames still arriving: the boat's unit must be switched off first.
    if (s.count_noData_sonar < 10) show("301", kTextPowerOffFirst);
    m_timer.start(0);
    return true;
}

void RadioBind::cancel() {
    if (running()) m_cancelled = true;
}

void RadioBind::end(bool bound) {
    m_state = State::Idle;
    m_timer.stop();
    emit signal_finished(bound);
}

void RadioBind::step() {
    LinkState& s = m_data.linkState();
    if (m_cancelled && m_state != State::Progress) {
        m_view.button = true;
        show(nullptr, kTextCancelled);
        end(false);
        return;
    }
    switch (m_state) {
        case State::WaitSilence:
            if (s.count_noData_sonar <= 2) {
                m_timer.start(kPollMs);
                return;
            }
            emit signal_tickStop();
            show("302", kTextPowerOn);
            m_data.sendCmd_bind();
            m_state = State::WaitAck;
            m_timer.start(kPollMs);
            return;
        case State::WaitAck:
            if (s.flag_getCmd_ack == 0) {
                show("303", kTextNoAnswer);
                m_data.sendCmd_bind();
                m_timer.start(kPollMs);
                return;
            }
            show(nullptr, kTextPowerOn);
            m_state = State::WaitPairing;
            m_timer.start(kPollMs);
            return;
        case State::WaitPairing:
            if (s.flag_getCmd_bindOk == 0) {
                m_timer.start(kPollMs);
                return;
            }
            m_state = State::Progress;
            m_timer.start(0);
            return;
        case State::Progress:
            if (m_view.progress < 100) {
                ++m_view.progress;
                emit signal_view(m_view);
                m_timer.start(0);
                return;
            }
            show(nullptr, kTextBound);
            end(true);
            return;
        case State::Idle:
            return;
    }
}

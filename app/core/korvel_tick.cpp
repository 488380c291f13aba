#include "core/korvel.h"

#include "core/ux_scene.h"

void Korvel::traceStep(const char* step) {
    if (m_tickTrace) m_tickTrace->append(QString::fromLatin1(step));
}

// The main tick: every periodic activity of the program, in a fixed order. Work is spread so
// that one tick stays short: one info panel per tick, the map and the read-outs on alternate
// even ticks, alarms every 5th tick and the signal strength every 8th.
void Korvel::slot_timeout_main() {
    m_tickCount = m_tickCount < kTickWrap ? m_tickCount + 1 : 0;
    traceStep("tick");

    // Module detection keeps running while the check dialog is open; nothing else does.
    if (m_dialogCheck && m_dialogCheck->isVisible()) return;

    if (m_tickCount % 2 == 0) {
        m_oddCount = m_oddCount < kTickWrap ? m_oddCount + 1 : 0;
        traceStep(m_oddCount % 2 == 1 ? "map" : "readouts");
    }

    traceStep("do_timer");
    m_scene->do_timer();

    traceStep("system_checkState");
    system_checkState();
    traceStep("data_checkState");
    data_checkState();
}

#include "core/korvel.h"

#include "core/tick_timing.h"
#include "core/ux_scene.h"
#include "platform/handset_board.h"
#include "sonar/ux_sonar.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_check.h"
#include "ui/kit/ux_dialog_count_down.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/info_panels.h"
#include "ui/screens/menu_host.h"

namespace {
// The tick's timing when asked for (core/tick_timing.h), one for the process like the tick's
// other kept state; logged when the event loop ends.
TickTiming& tickTiming() {
    static TickTiming timing;
    static const bool logsAtEnd = (timing.logAtEnd(QStringLiteral("main tick")), true);
    Q_UNUSED(logsAtEnd)
    return timing;
}
}  // namespace

// The main tick: every periodic activity of the program, in a fixed order. Work is spread so
// that one tick stays short: one info panel per tick, the map and the read-outs on alternate
// even ticks, alarms every 5th tick and the signal strength every 8th.
void Korvel::slot_timeout_main() {
    const TickTiming::Scope timing(tickTiming());
    m_tickCount = m_tickCount < kTickWrap ? m_tickCount + 1 : 0;

    // Step 2: the start-up module check; while its dialog is open nothing else runs.
    init_checkModule();
    if (m_dialogs->check()->isVisible()) return;

    // Step 4: history and echogram.
    data_getOrigin_kvlw();
    data_getCurrent_kvlw();
    data_exportCurrentData();
    sonar_imageScroll();

    if (m_tickCount % 2 == 0) {
        m_oddCount = m_oddCount < kTickWrap ? m_oddCount + 1 : 0;
        if (m_oddCount % 2 == 1) {
            navi_getCurrent();
        } else {
            // Model 'e' clicks every 500 ms as its fish-finder tone.
            if (m_model == 'e') Global::beeperOn(QStringLiteral("fish"));
            sonar_infoTextRefresh();
            navi_readHandsetCompass();
        }
    }

    // Step 6: the test dialog's compass angles.
    navi_showCompassTest();
    // Step 7: one info panel, in turn 0..5, so each shows values at most 0.75 s old.
    info_refreshInfoPan_single(m_infoPanels->nextInTurn());

    // Step 8: the periodic widgets' do_timer, in order: main menu, value sub-menu, waypoint
    // sub-menu, hint dialog, feedback dialog, power-off dialog, scene, map view, echogram,
    // count-down dialog, history bar.
    m_menus->doTimer();
    m_dialogs->doTimer();
    // The power-off dialog's count may have ended in the power-off: nothing after it runs.
    if (m_poweringOff) return;
    m_scene->do_timer();
    m_navi->do_timer();
    depthMap_tick();
    sonar()->do_timer();
    m_dialogs->countDown()->do_timer();
    history_refreshBar();

    // Step 9: supervision, in order.
    system_checkState();
    data_checkState();
    sonar_checkState();
    navi_checkState();
    link_checkState();
    link_refreshSignalIco();
    safety_tick();

    // Step 10: once a second, the signal strength for the screens that show it.
    if (m_tickCount % 8 == 0) system_needUpdateRssi();
}

#include "core/korvel.h"

#include "base/ap_mode.h"
#include "base/global.h"
#include "core/key_router.h"
#include "link/ux_data.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_debug_window.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

void Korvel::slot_key_click(QString key) {
    system_keyClick(key);
}

void Korvel::slot_key_press(QString key) {
    system_keyPress(key);
}

// Long presses: escape asks to power off, the autopilot key stops the boat or sends it home.
void Korvel::system_keyPress(const QString& key) {
    if (key == QLatin1String("esc")) system_showPoweroffDialog();
    if (key == QLatin1String("ap")) navi_apKeyLongPress();
}

void Korvel::system_keyClick(const QString& key) {
    const bool apRunning =
        ApMode::fromField(m_data->linkState().currentInfoAp().taskMode()) == EnumApMode::Run;
    const StructKeyRoute route =
        KeyRouter::route(key, selectedPanel(), Global::configuration.screenMode, apRunning);
    // No default: an action added to the router without a case here is a compiler warning.
    switch (route.action) {
        case EnumKeyAction::None:
            break;
        case EnumKeyAction::NextScreenMode:
            system_changeScreenMode();
            break;
        case EnumKeyAction::OpenQuickMenu:
            menu_showQuick();
            break;
        case EnumKeyAction::OpenSmallMenu:
            info_showPanelMenu();
            break;
        case EnumKeyAction::OpenMainMenu:
            menu_showMain();
            break;
        case EnumKeyAction::UnselectPanel:
            info_selectPanel(KeyRouter::kNoPanel);
            break;
        case EnumKeyAction::ZoomMap:
            navi_zoomTrack();
            break;
        case EnumKeyAction::MoveMapCursor:
            m_navi->select_show(key);
            break;
        case EnumKeyAction::SelectPanel:
            info_selectPanel(route.panel);
            break;
        case EnumKeyAction::AskStopAutopilot:
            m_naviState->askStop();
            break;
        case EnumKeyAction::ChooseTarget:
            m_waypoint->showWaypoint(QString());
            break;
        case EnumKeyAction::ShowDebugWindow:
            dialog_debugWindow_loadCmdString();
            m_dialogs->debugWindow()->showWindow();
            break;
    }
}

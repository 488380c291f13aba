#include "core/korvel.h"

#include "core/base/global.h"
#include "core/key_router.h"
#include "link/ux_data.h"
#include "ui/dialog_host.h"
#include "ui/ux_dialog_debug_window.h"

void Korvel::slot_key_click(QString key) {
    system_keyClick(key);
}

void Korvel::slot_key_press(QString key) {
    system_keyPress(key);
}

// Long presses: escape asks to power off, the autopilot key stops the boat or sends it home.
// Both act through areas that are added as they are built.
void Korvel::system_keyPress(const QString& key) {
    if (key == QLatin1String("esc")) system_showPoweroffDialog();
}

void Korvel::system_keyClick(const QString& key) {
    const bool apRunning = m_data->linkState().currentInfoAp().taskMode() == QLatin1String("R");
    const StructKeyRoute route =
        KeyRouter::route(key, m_selectedPanel, Global::configuration.screenMode, apRunning);
    switch (route.action) {
        case EnumKeyAction::NextScreenMode:
            system_changeScreenMode();
            break;
        case EnumKeyAction::UnselectPanel:
            m_selectedPanel = KeyRouter::kNoPanel;
            break;
        case EnumKeyAction::SelectPanel:
            m_selectedPanel = route.panel;
            break;
        case EnumKeyAction::AskStopAutopilot:
            m_dialogs->askStopAutopilot();
            break;
        case EnumKeyAction::ShowDebugWindow:
            dialog_debugWindow_loadCmdString();
            m_dialogs->debugWindow()->showWindow();
            break;
        default:
            break;
    }
}

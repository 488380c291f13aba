#include "core/korvel.h"

#include "core/global.h"
#include "core/key_router.h"

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
    const StructKeyRoute route =
        KeyRouter::route(key, m_selectedPanel, Global::configuration.screenMode, false);
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
        default:
            break;
    }
}

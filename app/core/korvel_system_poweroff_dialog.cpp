#include "core/korvel.h"

#include "ui/ux_dialog_power_off.h"

void Korvel::system_showPoweroffDialog() {
    if (m_dialogPowerOff) m_dialogPowerOff->showPowerOff();
}

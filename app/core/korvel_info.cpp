#include "core/korvel.h"

#include "base/global.h"
#include "ui/kit/dialog_host.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/info_pan_content.h"
#include "ui/screens/info_panels.h"
#include "ui/screens/item_full_info.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/screen_overlays.h"
#include "ui/screens/ux_small_menu.h"

// What the panels are built from: the values and the map's distances (negative while there
// is no home or target, shown as "-.-").
StructInfoPanSource Korvel::info_source() const {
    StructInfoPanSource source;
    source.boat = values();
    source.dstFromHome = m_navi->home_getCurrentDst();
    source.dstToTarget = m_navi->target_getCurrentDst();
    return source;
}

void Korvel::info_refreshInfoPan_single(int panel) {
    const StructInfoPanSource source = info_source();
    if (panel >= 0 && panel < InfoPanels::kCount)
        m_infoPanels->refresh(panel, Global::configuration.textDataToShow[panel], source);
    m_overlays->fullInfo()->setFullInfo(InfoPanContent::distanceText(source.dstToTarget),
                                        InfoPanContent::distanceText(source.dstFromHome));
}

int Korvel::selectedPanel() const {
    return m_infoPanels->selected();
}

void Korvel::info_selectPanel(int panel) {
    m_infoPanels->select(panel);
}

void Korvel::info_showPanelMenu() {
    m_menus->small()->showSmallMenu(InfoPanContent::menuRows());
}

void Korvel::slot_infoPan_change(int itemIdx) {
    info_changeInfoPan(itemIdx);
    m_menus->small()->hide();
}

// A row the menu does not have changes nothing, says so, and the panel and the file are
// brought up to date all the same.
void Korvel::info_changeInfoPan(int menuIndex) {
    const int panel = m_infoPanels->selected();
    const int code = InfoPanContent::codeForMenuRow(menuIndex);
    if (code < 0) {
        m_dialogs->showInvalidItem(QStringLiteral("Small-IP-00") + QString::number(menuIndex));
    } else if (panel >= 0 && panel < InfoPanels::kCount) {
        Global::configuration.textDataToShow[panel] = code;
    }
    info_refreshInfoPan_single(panel);
    system_saveConfiguration();
}

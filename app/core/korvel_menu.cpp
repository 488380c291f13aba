// The menu tree: the main menu's ring of setting pages and the quick menu, what a chosen row
// does, and what follows when an editor is confirmed or closed.
#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "core/ux_view.h"
#include "link/ux_data.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_feedback.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/item_logo.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/menu_pages.h"
#include "ui/screens/ux_main_menu.h"
#include "ui/screens/ux_small_menu.h"
#include "ui/screens/ux_sub_menu_item.h"
#include "ui/screens/ux_sub_menu_route_color.h"
#include "ui/screens/ux_sub_menu_value.h"

#include <QTimer>

namespace {

// The sliders whose value the sonar box must be told at once, by their titles.
struct StructSonarFollowUp {
    EnumTrString title;
    const char* key;
};
const StructSonarFollowUp kSonarFollowUps[] = {
    {TR_DepthRange, "range"},
    {TR_Sensitivity, "sens"},
    {TR_FishIdSens, "fsens"},
};

}  // namespace

void Korvel::menu_init() {
    m_menus = std::make_unique<MenuHost>(m_view, m_modals, [this] { m_logo->stepGo(); });
    connect(m_menus->small(), &UxSmallMenu::signal_itemClick, this, &Korvel::slot_infoPan_change);
    menu_initWaypoint();
    menu_initRoute();
    menu_initListModes();
    menu_connect();
}

void Korvel::menu_connect() {
    UxMainMenu* list = m_menus->main();
    connect(list, &UxMainMenu::signal_keyClick_change, this, &Korvel::slot_menu_changeMain);
    connect(list, &UxMainMenu::signal_keyClick_esc, this, &Korvel::slot_menu_closeMain);
    connect(list, &UxMainMenu::signal_keyClick_enter, this, &Korvel::slot_menu_clickMain);
    connect(m_menus->value(), &UxSubMenuValue::signal_keyClick_ok, this,
            &Korvel::slot_submenu_keyClick_ok);
    connect(m_menus->item(), &UxSubMenuItem::signal_itemClick, this,
            &Korvel::slot_subMenu_clickItem);
    connect(m_menus->item(), &UxSubMenuItem::signal_submenuHide, this, &Korvel::slot_subMenu_hide);
    connect(m_menus->routeColor(), &UxSubMenuRouteColor::signal_routeColorClick_ok, this,
            &Korvel::slot_routeColor_confirm);
}

// --- Slots --------------------------------------------------------------------------------------

void Korvel::slot_menu_changeMain() {
    menu_changeMain();
}

void Korvel::slot_menu_closeMain() {
    menu_closeMain();
}

void Korvel::slot_menu_clickMain(int row) {
    menu_clickMain(row);
}

void Korvel::slot_subMenu_clickItem(QString tag, int row) {
    menu_clickSub_item(tag, row);
}

void Korvel::slot_subMenu_hide(QString title) {
    menu_hideSub_item(title);
}

void Korvel::slot_routeColor_confirm(bool automatic, int upper, int lower) {
    m_navi->colorBar_set(automatic, upper, lower);
}

// --- Pages --------------------------------------------------------------------------------------

void Korvel::menu_showMain() {
    m_menus->placeMain(false);
    menu_showPage(QStringLiteral("basic"));
}

void Korvel::menu_showQuick() {
    m_menus->placeMain(true);
    menu_showPage(QStringLiteral("quick"));
}

// The texts are fetched now, so a language chosen meanwhile shows on this page.
void Korvel::menu_showPage(const QString& type) {
    const StructMenuPage page = MenuPages::page(type, m_model);
    qCInfo(lcCore).noquote() << "menu" << type << page.texts().join(QLatin1Char('|'));
    // The page list lives in the screen's window: that window takes the keypad now, even
    // when a dialog window had it last.
    m_view->activateWindow();
    m_menus->main()->showMainMenu(type, page.title, page.texts());
    m_view->setLowLight();
    m_highlightDimmed = true;
}

void Korvel::menu_changeMain() {
    const QString next =
        MenuPages::next(m_menus->main()->getCurrentType(), Global::configuration.advancedMode);
    if (!next.isEmpty()) menu_showPage(next);
}

// Every leave of the main menu keeps the settings: the file is written once, here.
void Korvel::menu_closeMain() {
    m_menus->main()->hide();
    if (!m_modals.anyVisible()) {
        m_view->setHightLight();
        m_highlightDimmed = false;
    }
    system_saveConfiguration();
}

void Korvel::menu_clickMain(int row) {
    UxMainMenu* list = m_menus->main();
    const QString type = list->getCurrentType();
    // The quick menu closes on every choice; a main-menu page stays under what it opens.
    if (type == QLatin1String("quick")) list->hide();
    if (!menu_runRow(type, row)) m_dialogs->showInvalidItem(MenuPages::invalidCode(type, row));
}

// --- Follow-ups ---------------------------------------------------------------------------------

// A confirmed slider: the sonar box gets the range and the sensitivities at once and the user
// sees it confirm them; every other value is read where it is used.
void Korvel::slot_submenu_keyClick_ok() {
    const QString title = m_menus->value()->getTitle();
    for (const StructSonarFollowUp& f : kSonarFollowUps) {
        if (title != TrResource::getTrString(f.title)) continue;
        link_sonar_send_cfg(QLatin1String(f.key));
        m_linkWatch->awaitSonarConfig();
        return;
    }
}

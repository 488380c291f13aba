#include "core/korvel.h"
#include "core/ux_view.h"
#include "ui/item_logo.h"
#include "ui/ux_main_menu.h"
#include "ui/ux_menu_tip.h"
#include "ui/ux_small_menu.h"
#include "ui/ux_sub_menu_image.h"
#include "ui/ux_sub_menu_item.h"
#include "ui/ux_sub_menu_item_multi.h"
#include "ui/ux_sub_menu_item_single.h"
#include "ui/ux_sub_menu_value.h"

namespace {

// Places, hides and registers a widget; a shown menu dims the main screen.
template <class T>
T* place(Korvel* korvel, T* widget, const QRect& geometry) {
    widget->setGeometry(geometry);
    widget->hide();
    korvel->system_registerModal(widget);
    return widget;
}

}  // namespace

// The menu widgets sit on the view, above the scene. The page list is placed when it is shown
// (main menu or quick menu); the pop-up list is moved where it is needed.
void Korvel::menu_init() {
    m_subMenuImage = place(this, new UxSubMenuImage(m_view), QRect(0, 244, 265, 110));
    UxSubMenuImage::loadSmallImageData();
    // One start-up step after the image chooser; the waypoint groups and the course menu add
    // theirs when they are built.
    m_logo->stepGo();
    m_menuMain = place(this, new UxMainMenu(m_view), QRect(0, 0, 180, 270));
    system_registerModal(m_menuMain->tip());
    m_subMenuValue = place(this, new UxSubMenuValue(m_view), QRect(36, 210, 200, 60));
    m_subMenuItem = place(this, new UxSubMenuItem(m_view), QRect(36, 210, 200, 60));
    m_subMenuSingle = place(this, new UxSubMenuItemSingle(m_view), QRect(36, 210, 200, 60));
    m_subMenuMulti = place(this, new UxSubMenuItemMulti(m_view), QRect(36, 210, 200, 60));
    m_menuSmall =
        place(this, new UxSmallMenu(false, m_view), QRect(133, 244, UxSmallMenu::kWidth, 150));
}

void Korvel::menu_doTimer() {
    m_menuMain->do_timer();
    m_subMenuValue->do_timer();
    m_subMenuItem->do_timer();
    m_subMenuSingle->do_timer();
    m_subMenuMulti->do_timer();
    m_menuSmall->do_timer();
}

#include "ui/screens/menu_host.h"

#include "base/tr_resource.h"
#include "ui/kit/modal_watch.h"
#include "ui/screens/ux_main_menu.h"
#include "ui/screens/ux_menu_tip.h"
#include "ui/screens/ux_small_menu.h"
#include "ui/screens/ux_sub_menu_image.h"
#include "ui/screens/ux_sub_menu_item.h"
#include "ui/screens/ux_sub_menu_item_multi.h"
#include "ui/screens/ux_sub_menu_item_single.h"
#include "ui/screens/ux_sub_menu_route_color.h"
#include "ui/screens/ux_sub_menu_value.h"

namespace {
const QRect kMainMenu(0, 0, 180, 270);
const QRect kQuickMenu(46, 180, 180, 270);
const QRect kEditor(36, 210, 200, 60);

template <class T>
T* place(ModalWatch& modals, T* widget, const QRect& geometry) {
    widget->setGeometry(geometry);
    widget->hide();
    modals.add(widget);
    return widget;
}
}  // namespace

MenuHost::MenuHost(QWidget* view, ModalWatch& modals, const std::function<void()>& step) {
    m_image = place(modals, new UxSubMenuImage(view), QRect(0, 244, 265, 110));
    UxSubMenuImage::loadSmallImageData();
    // The image chooser's data is the longest step; the waypoint groups and the course menu
    // add steps of their own when they are built.
    if (step) step();
    m_main = place(modals, new UxMainMenu(view), kMainMenu);
    modals.add(m_main->tip());
    m_value = place(modals, new UxSubMenuValue(view), kEditor);
    m_item = place(modals, new UxSubMenuItem(view), kEditor);
    m_single = place(modals, new UxSubMenuItemSingle(view), kEditor);
    m_multi = place(modals, new UxSubMenuItemMulti(view), kEditor);
    // The route-colour editor's own slider, just below it so that the depths stay in view.
    m_routeColorValue = place(modals, new UxSubMenuValue(view), QRect(46, 262, 188, 60));
    m_routeColor =
        place(modals, new UxSubMenuRouteColor(m_routeColorValue, view), QRect(50, 100, 180, 160));
    m_routeColorValue->raise();
    m_small =
        place(modals, new UxSmallMenu(false, view), QRect(133, 244, UxSmallMenu::kWidth, 150));
    retranslate();
}

void MenuHost::retranslate() {
    m_systemTitles.clear();
    for (int text = TR_Simulator; text <= TR_UpdateRBoxes; ++text)
        m_systemTitles << TrResource::getTrString(EnumTrString(text));
    m_systemTitles << TrResource::getTrString(TR_Next) << TrResource::getTrString(TR_Exit);
    const QString title = TrResource::getTrString(TR_SystemTitle);
    m_systemTitles << title;
    if (m_main->isVisible() && m_main->getCurrentType() == QLatin1String("system"))
        m_main->refreshTR(title, m_systemTitles.mid(0, m_systemTitles.size() - 1));
}

void MenuHost::placeMain(bool quick) {
    m_main->setGeometry(quick ? kQuickMenu : kMainMenu);
}

void MenuHost::doTimer() {
    m_main->do_timer();
    m_value->do_timer();
    m_routeColorValue->do_timer();
    m_item->do_timer();
    m_single->do_timer();
    m_multi->do_timer();
    m_small->do_timer();
}

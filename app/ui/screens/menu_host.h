#pragma once

#include <QStringList>
#include <functional>

class ModalWatch;
class QWidget;
class UxMainMenu;
class UxSmallMenu;
class UxSubMenuImage;
class UxSubMenuItem;
class UxSubMenuItemMulti;
class UxSubMenuItemSingle;
class UxSubMenuRouteColor;
class UxSubMenuValue;

// The menu widgets, made once on the view, above the scene, hidden at their places until
// shown, and registered with the modal watch. The page list is placed when it is shown (main
// menu or quick menu); the pop-up list is moved where it is needed.
class MenuHost {
public:
    // step: one start-up step done (the logo's progress), called after the image chooser.
    MenuHost(QWidget* view, ModalWatch& modals, const std::function<void()>& step);

    UxMainMenu* main() const { return m_main; }
    UxSmallMenu* small() const { return m_small; }
    UxSubMenuValue* value() const { return m_value; }
    UxSubMenuItem* item() const { return m_item; }
    UxSubMenuItemSingle* single() const { return m_single; }
    UxSubMenuItemMulti* multi() const { return m_multi; }
    UxSubMenuImage* image() const { return m_image; }
    UxSubMenuRouteColor* routeColor() const { return m_routeColor; }

    // The page list at the main menu's place (upper left) or the quick menu's (lower middle).
    void placeMain(bool quick);

    // The periodic work of the menu widgets (held-key repeat), from the main tick.
    void doTimer();

    // The system page's rows and, last, its title, in the current language.
    const QStringList& systemTitles() const { return m_systemTitles; }
    // After a language change: the system page's titles are translated again, and the page
    // list takes them at once when it shows the system page.
    void retranslate();

private:
    UxMainMenu* m_main = nullptr;
    UxSmallMenu* m_small = nullptr;
    UxSubMenuValue* m_value = nullptr;
    UxSubMenuItem* m_item = nullptr;
    UxSubMenuItemSingle* m_single = nullptr;
    UxSubMenuItemMulti* m_multi = nullptr;
    UxSubMenuImage* m_image = nullptr;
    UxSubMenuRouteColor* m_routeColor = nullptr;
    UxSubMenuValue* m_routeColorValue = nullptr;
    QStringList m_systemTitles;
};

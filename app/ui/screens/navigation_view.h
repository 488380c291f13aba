#pragma once

#include <QObject>
#include <functional>

class CompassViews;
class NavigationState;
class ScreenOverlays;
class StatusIcons;
class UxNavi;
class UxSubMenuGoBack;
class UxSubMenuMultiTarget;
class UxSubMenuWaypoint;

// The widgets that show the navigation.
struct StructNavigationWidgets {
    UxNavi* map = nullptr;
    UxSubMenuWaypoint* waypoints = nullptr;
    UxSubMenuMultiTarget* multiTarget = nullptr;
    UxSubMenuGoBack* goBack = nullptr;
    StatusIcons* icons = nullptr;
    ScreenOverlays* overlays = nullptr;
    CompassViews* compasses = nullptr;
    // Whether the handset's own compass asks for calibration.
    std::function<bool()> handsetNeedsCali;
};

// Draws what the navigation holds, on its signals: the map's track, home, target and the
// list's line, the running list mode's icon and text, the boat and home in the waypoint and
// multi-target lists, the screens a task closes, and the indicators on the map and both
// compass views. It holds nothing of its own.
class NavigationView : public QObject {
    Q_OBJECT
public:
    NavigationView(const NavigationState& state, const StructNavigationWidgets& widgets,
                   QObject* parent = nullptr);

private:
    void showHome();
    void showTarget();
    void showListMode();
    void showListLine();
    void showIndicators();

    const NavigationState& m_state;
    StructNavigationWidgets m_w;
};

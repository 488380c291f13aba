#include "core/key_router.h"

namespace KeyRouter {

namespace {
bool mapOnScreen(int screenMode) {
    return screenMode == 1 || screenMode == 2;
}
}  // namespace

int nextScreenMode(int screenMode) {
    return screenMode >= 0 && screenMode < 3 ? screenMode + 1 : 0;
}

StructKeyRoute route(const QString& key, int selectedPanel, int screenMode, bool apRunning) {
    const bool selected = selectedPanel != kNoPanel;
    const bool map = !selected && mapOnScreen(screenMode);
    StructKeyRoute r;
    if (key == QLatin1String("change")) {
        if (!selected) r.action = EnumKeyAction::NextScreenMode;
    } else if (key == QLatin1String("enter")) {
        r.action = selected ? EnumKeyAction::OpenSmallMenu : EnumKeyAction::OpenQuickMenu;
    } else if (key == QLatin1String("menu")) {
        r.action = selected ? EnumKeyAction::UnselectPanel : EnumKeyAction::OpenMainMenu;
    } else if (key == QLatin1String("esc")) {
        if (selected) r.action = EnumKeyAction::UnselectPanel;
    } else if (key == QLatin1String("zoom")) {
        if (map) r.action = EnumKeyAction::ZoomMap;
    } else if (key == QLatin1String("up")) {
        if (map) {
            r.action = EnumKeyAction::MoveMapCursor;
        } else if (selected && selectedPanel > 0) {
            r = {EnumKeyAction::SelectPanel, selectedPanel - 1};
        }
    } else if (key == QLatin1String("down")) {
        if (map) {
            r.action = EnumKeyAction::MoveMapCursor;
        } else if (selected && selectedPanel < kLastSelectablePanel) {
            r = {EnumKeyAction::SelectPanel, selectedPanel + 1};
        }
    } else if (key == QLatin1String("left") || key == QLatin1String("right")) {
        if (map) r.action = EnumKeyAction::MoveMapCursor;
    } else if (key == QLatin1String("ap")) {
        r.action = apRunning ? EnumKeyAction::AskStopAutopilot : EnumKeyAction::ChooseTarget;
    } else if (key == QLatin1String("apWindow")) {
        r.action = EnumKeyAction::ShowDebugWindow;
    }
    return r;
}

}  // namespace KeyRouter

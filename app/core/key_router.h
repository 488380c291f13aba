#pragma once

#include <QString>

// What a click does on the main screen (no menu or dialog open), decided from the key, the
// selected info panel and the screen layout alone, so the table can be tested on its own.
enum class EnumKeyAction {
    None,
    NextScreenMode,    // "change"
    OpenQuickMenu,     // "enter", no panel selected
    OpenSmallMenu,     // "enter" on a selected panel
    OpenMainMenu,      // "menu"
    UnselectPanel,     // "menu" or "esc" on a selected panel
    ZoomMap,           // "zoom" with the map on screen
    MoveMapCursor,     // arrows with the map on screen
    SelectPanel,       // arrows moving the panel selection
    AskStopAutopilot,  // "ap" while the autopilot runs
    ChooseTarget,      // "ap" while it does not
    ShowDebugWindow,   // "apWindow"
};

struct StructKeyRoute {
    EnumKeyAction action = EnumKeyAction::None;
    int panel = -1;  // the panel to select for SelectPanel
};

namespace KeyRouter {

constexpr int kNoPanel = -1;
constexpr int kLastSelectablePanel = 3;

StructKeyRoute route(const QString& key, int selectedPanel, int screenMode, bool apRunning);

// The layout after "change": 0 -> 1 -> 2 -> 3 -> 0.
int nextScreenMode(int screenMode);

}  // namespace KeyRouter

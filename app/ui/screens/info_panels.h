#pragma once

#include "base/screen_layout.h"

#include <array>

class ItemInfoPan;
class QGraphicsScene;
struct StructInfoPanSource;

// The six info panels of the main screen at their places, which of them the user has
// selected to change its content, and the turn in which the main tick refreshes them.
class InfoPanels {
public:
    static constexpr int kCount = StructScreenLayout::kPanels;
    static constexpr int kNone = -1;

    // Makes the panels, hidden, and adds them to the scene.
    explicit InfoPanels(QGraphicsScene* scene);

    ItemInfoPan* panel(int index) const;
    // Shows the panels the layout shows.
    void applyLayout(const StructScreenLayout& layout);

    // Marks the panel (kNone: none) and unmarks the one marked before.
    void select(int panel);
    int selected() const { return m_selected; }

    // Shows on the panel what the content code shows; a code that shows nothing leaves it.
    void refresh(int panel, int code, const StructInfoPanSource& source);
    // The panel whose turn it is, 0..5 round: each is refreshed every sixth call.
    int nextInTurn();

private:
    std::array<ItemInfoPan*, kCount> m_panels{};
    int m_selected = kNone;
    int m_turn = 0;
};

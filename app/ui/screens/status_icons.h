#pragma once

#include "base/screen_layout.h"

#include <array>

class QGraphicsPixmapItem;
class QGraphicsScene;

// The status icons of the main screen (signal, SD card, sonar frequency, go-back and
// multi-target), each at the place the screen layout gives it.
class StatusIcons {
public:
    explicit StatusIcons(QGraphicsScene* scene);

    QGraphicsPixmapItem* icon(int index) const;
    void applyLayout(const StructScreenLayout& layout);
    void setSdCard(bool mounted);

private:
    std::array<QGraphicsPixmapItem*, StructScreenLayout::kIcons> m_icons{};
};

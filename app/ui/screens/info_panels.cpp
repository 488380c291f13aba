#include "ui/screens/info_panels.h"

#include "ui/screens/info_pan_content.h"
#include "ui/screens/item_info_pan.h"

#include <QGraphicsScene>

namespace {
constexpr int kTitleHeight = 20;
}

InfoPanels::InfoPanels(QGraphicsScene* scene) {
    const auto pictures = std::make_shared<InfoPanPictures>();
    for (int i = 0; i < kCount; ++i) {
        const QRect r = ScreenLayout::panelRect(i);
        auto* panel = new ItemInfoPan(r.width(), r.height(), kTitleHeight,
                                      r.height() - kTitleHeight, pictures);
        panel->setPos(r.topLeft());
        panel->hide();
        scene->addItem(panel);
        m_panels[size_t(i)] = panel;
    }
}

ItemInfoPan* InfoPanels::panel(int index) const {
    return index >= 0 && index < kCount ? m_panels[size_t(index)] : nullptr;
}

void InfoPanels::applyLayout(const StructScreenLayout& layout) {
    if (!layout.valid) return;
    for (int i = 0; i < kCount; ++i)
        m_panels[size_t(i)]->setVisible(layout.panelVisible[size_t(i)]);
}

void InfoPanels::select(int panel) {
    if (panel < kNone || panel >= kCount) return;
    if (ItemInfoPan* before = this->panel(m_selected)) before->setSelected(false);
    m_selected = panel;
    if (ItemInfoPan* now = this->panel(m_selected)) now->setSelected(true);
}

void InfoPanels::refresh(int panel, int code, const StructInfoPanSource& source) {
    ItemInfoPan* item = this->panel(panel);
    StructInfoPan info;
    if (item && InfoPanContent::build(code, source, &info)) item->setInfoPan(info);
}

int InfoPanels::nextInTurn() {
    const int panel = m_turn;
    m_turn = m_turn < kCount - 1 ? m_turn + 1 : 0;
    return panel;
}

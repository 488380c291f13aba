#pragma once

#include <QGraphicsItem>
#include <QPixmap>
#include <QString>

// What one info panel shows: a title over a value, the value beside an icon when there is one.
struct StructInfoPan {
    QString title;
    QString value;
    QPixmap icon;  // may be null
};

// One info panel of the main screen: a dark tile with a title band over a value band. The
// title and value are drawn once per change into a layer of their own, at the next paint (a
// hidden panel draws nothing), so repainting the panel (the echogram scrolls beside it eight
// times a second) only copies two pictures.
class ItemInfoPan : public QGraphicsItem {
public:
    ItemInfoPan(int width, int height, int titleHeight, int valueHeight,
                QGraphicsItem* parent = nullptr);

    // Takes the content and schedules a repaint; the same content again changes nothing.
    void setInfoPan(const StructInfoPan& info);
    const StructInfoPan& infoPan() const { return m_info; }

    // Marks the panel whose content the user is about to change (a yellow bar in the value
    // band). Hides QGraphicsItem's selection, which the scene never uses.
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

    static constexpr int kIconSize = 30;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void renderLayer();

    int m_width;
    int m_height;
    int m_titleHeight;
    int m_valueHeight;
    StructInfoPan m_info;
    bool m_selected = false;
    QPixmap m_background;
    QPixmap m_layer;
    bool m_layerDirty = true;  // the layer does not show m_info yet
};

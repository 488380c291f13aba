#pragma once

#include "ui/kit/opaque_box.h"
#include "ui/screens/info_pan_pictures.h"

#include <QGraphicsItem>
#include <QPixmap>
#include <QString>
#include <memory>

// What one info panel shows: a title over a value, the value beside an icon when there is one.
struct StructInfoPan {
    QString title;
    QString value;
    QPixmap icon;  // may be null
};

// One info panel of the main screen: a dark tile with a title band over a value band. The
// title and the value are each drawn once per change into a layer of their own, at the next
// paint (a hidden panel draws nothing); the tile, the selection bar and both layers are then
// put together into one opaque picture, so a repaint of the panel is one plain copy. A picture
// that pictures (shared with the other panels) still holds is taken from there.
class ItemInfoPan : public QGraphicsItem, public OpaqueBox {
public:
    ItemInfoPan(int width, int height, int titleHeight, int valueHeight,
                std::shared_ptr<InfoPanPictures> pictures = nullptr,
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
    // Every pixel is painted: nothing under it need be.
    QPainterPath opaqueArea() const override;
    QRectF opaqueBox() const override { return boundingRect(); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void renderTitle();
    void renderValue();
    void compose();
    InfoPanPictures::StructLook look() const;

    int m_width;
    int m_height;
    int m_titleHeight;
    int m_valueHeight;
    StructInfoPan m_info;
    bool m_selected = false;
    QPixmap m_background;
    QPixmap m_title;  // the layers, transparent but for their texts (and the value's icon)
    QPixmap m_value;
    QPixmap m_base;  // the tile, the selection bar and the title
    bool m_baseDirty = true;
    QPixmap m_picture;  // all of it, as shown
    std::shared_ptr<InfoPanPictures> m_pictures;
    // What no longer shows m_info (or the selection).
    bool m_titleDirty = true;
    bool m_pictureDirty = true;
};

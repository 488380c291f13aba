#pragma once

#include "ui/kit/opaque_box.h"

#include <QGraphicsObject>
#include <QPixmap>

// The map's ground: white with a dotted grid every 20 pixels across and 20 down (from 16,
// below the indicator strip). Every other map item is its child, and it clips them to the
// map's bounds.
class ItemNavi : public QGraphicsObject, public OpaqueBox {
    Q_OBJECT
public:
    static constexpr int kGridStepX = 20;
    static constexpr int kGridFirstY = 16;
    static constexpr int kGridStepY = 20;

    explicit ItemNavi(QGraphicsItem* parent = nullptr);

    void setBoundSize(int width, int height);

    QRectF boundingRect() const override;
    // Every pixel is painted: nothing under it need be.
    QPainterPath opaqueArea() const override;
    QRectF opaqueBox() const override { return boundingRect(); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QPixmap m_ground;
};

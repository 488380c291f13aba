#pragma once

#include <QRectF>

// An item that paints every pixel of one rectangle of its own coordinates. The view leaves
// its background out there on every repaint; asking for the rectangle costs none of the
// path building that QGraphicsItem::opaqueArea() does.
class OpaqueBox {
public:
    virtual ~OpaqueBox() = default;
    virtual QRectF opaqueBox() const = 0;
};

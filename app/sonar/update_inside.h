#pragma once

#include <QGraphicsItem>

// The view repaints a pixel around each update (a margin it keeps even when told that no item
// paints antialiased). An item that changes only inside its rectangle asks for the rectangle a
// pixel in: the repaint is then its own rectangle, not a strip of each neighbour too.
inline void updateInside(QGraphicsItem* item) {
    item->update(item->boundingRect().adjusted(1, 1, -1, -1));
}

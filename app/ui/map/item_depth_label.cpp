#include "ui/map/item_depth_label.h"

#include "ui/kit/ux_theme.h"

#include <QFontMetrics>
#include <QPainter>

ItemDepthLabel::ItemDepthLabel(QGraphicsItem* parent) : QGraphicsItem(parent) {
    // Drawn once per text, blitted as the map moves.
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
}

void ItemDepthLabel::setText(const QString& text) {
    if (text == m_text) return;
    prepareGeometryChange();
    m_text = text;
    const QFontMetrics metrics(UxTheme::font(kPixelSize));
    m_box = QRectF(0, 0, metrics.horizontalAdvance(text) + 4, metrics.height());
    m_box.moveCenter(QPointF(0, 0));
    update();
}

QRectF ItemDepthLabel::boundingRect() const {
    return m_box;
}

void ItemDepthLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->fillRect(m_box, QColor(255, 255, 255, 200));
    painter->setPen(QColor(40, 40, 40));
    painter->setFont(UxTheme::font(kPixelSize));
    painter->drawText(m_box, Qt::AlignCenter, m_text);
}

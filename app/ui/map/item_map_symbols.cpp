#include "ui/map/item_map_symbols.h"

#include "ui/map/target_icon.h"

#include <QBrush>
#include <QFont>
#include <QPainter>
#include <QPen>

namespace {

// The distance text starts right of the boat's hull.
constexpr qreal kTextX = 14;
constexpr qreal kTextWidth = 90;
constexpr qreal kTextHeight = 16;

void centre(QGraphicsPixmapItem* item) {
    item->setOffset(-item->pixmap().width() / 2.0, -item->pixmap().height() / 2.0);
}

}  // namespace

ItemHome::ItemHome(QGraphicsItem* parent)
    : QGraphicsPixmapItem(QPixmap(QStringLiteral(":/ico/home")), parent) {
    centre(this);
}

ItemTarget::ItemTarget(QGraphicsItem* parent) : QGraphicsPixmapItem(parent) {
    setIcon(0);
}

void ItemTarget::setIcon(int icon) {
    setPixmap(Global::getIcon_target(icon));
    centre(this);
}

ItemTargetDst::ItemTargetDst(QGraphicsItem* parent) : QGraphicsItem(parent) {}

void ItemTargetDst::setText(const QString& text) {
    if (text == m_text) return;
    m_text = text;
    update();
}

QRectF ItemTargetDst::boundingRect() const {
    return QRectF(kTextX - 2, -kTextHeight / 2, kTextWidth + 4, kTextHeight);
}

void ItemTargetDst::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    QFont f;
    f.setPixelSize(12);
    f.setWeight(QFont::Bold);
    painter->setFont(f);
    const QRectF box(kTextX, -kTextHeight / 2, kTextWidth, kTextHeight);
    // A white halo keeps the text legible over the track and the grid.
    painter->setPen(Qt::white);
    for (const QPointF& d : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
        painter->drawText(box.translated(d), Qt::AlignLeft | Qt::AlignVCenter, m_text);
    painter->setPen(Qt::black);
    painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, m_text);
}

ItemTargetDir::ItemTargetDir(QGraphicsItem* parent)
    : QGraphicsPixmapItem(QPixmap(QStringLiteral(":/ico/target_dir")), parent) {
    // Clear of the boat's stern, whichever way the boat points.
    setOffset(-pixmap().width() / 2.0, 23);
}

ItemSelectPoint::ItemSelectPoint(QGraphicsItem* parent) : QGraphicsItem(parent) {}

QRectF ItemSelectPoint::boundingRect() const {
    return QRectF(-kArm - 2, -kArm - 2, 2 * kArm + 4, 2 * kArm + 4);
}

void ItemSelectPoint::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    // A white halo under the black cross keeps it visible over the track.
    for (const auto& pen : {QPen(Qt::white, 4), QPen(Qt::black, 2)}) {
        painter->setPen(pen);
        painter->drawLine(-kArm, 0, kArm, 0);
        painter->drawLine(0, -kArm, 0, kArm);
    }
}

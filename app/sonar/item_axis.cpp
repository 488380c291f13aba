#include "sonar/item_axis.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int kTicks = 10;
}

ItemAxis::ItemAxis(QGraphicsItem* parent) : QGraphicsItem(parent) {}

// The legend reaches left over the picture.
QRectF ItemAxis::boundingRect() const {
    return QRectF(-40, 0, 52, m_hight);
}

void ItemAxis::setLoRange(int lowerRange, bool automatic) {
    if (lowerRange == m_loRange && automatic == m_automatic) return;
    m_loRange = lowerRange;
    m_automatic = automatic;
    update();
}

void ItemAxis::setImageHight(int h) {
    prepareGeometryChange();
    m_hight = std::max(1, h);
}

void ItemAxis::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const int last = m_hight - 1;
    const QColor shades[4] = {Qt::black, Qt::darkGray, Qt::gray, Qt::lightGray};
    for (int i = 0; i < 4; ++i) {
        painter->setPen(shades[i]);
        painter->drawLine(11 - i, 0, 11 - i, last);
    }
    painter->setPen(Qt::lightGray);
    for (int t = 1; t < kTicks; ++t) {
        const int y = t * m_hight / kTicks;
        painter->drawLine(t % 2 ? 4 : 0, y, 7, y);
    }

    QFont f = painter->font();
    f.setPixelSize(12);
    f.setBold(true);
    painter->setFont(f);
    const QString half = QString::number(m_loRange / 2.0, 'g', 3);
    const QString full = QString::number(m_loRange) + (m_automatic ? QStringLiteral("A") : "");
    auto label = [&](const QString& text, int y) {
        const QRect box(-40, y, 38, 14);
        painter->setPen(QColor(0, 0, 0, 200));
        painter->drawText(box.translated(1, 1), Qt::AlignRight | Qt::AlignVCenter, text);
        painter->setPen(QColor(235, 240, 245));
        painter->drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
    };
    label(half, m_hight / 2 - 7);
    label(full, last - 14);
}

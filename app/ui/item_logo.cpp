#include "ui/item_logo.h"

#include <QCoreApplication>
#include <QPainter>

namespace {
constexpr int kWidth = 272;
constexpr int kHeight = 480;
const QRect kBar(36, 400, 200, 8);
}  // namespace

ItemLogo::ItemLogo(QGraphicsItem* parent) : QGraphicsObject(parent) {
    m_background.load(QStringLiteral(":/logo/earth.png"));
}

void ItemLogo::showLogo(char model, int steps) {
    // Models 'd' and 'e' carry the second brand's logo.
    const bool second = model == 'd' || model == 'e';
    m_model.load(second ? QStringLiteral(":/logo/Dunmar-1.png")
                        : QStringLiteral(":/logo/Sablo-1.png"));
    m_steps = steps > 0 ? steps : 1;
    m_done = 0;
    show();
    update();
}

void ItemLogo::stepGo() {
    if (m_done < m_steps) ++m_done;
    update();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QRectF ItemLogo::boundingRect() const {
    return QRectF(0, 0, kWidth, kHeight);
}

void ItemLogo::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (!m_background.isNull()) {
        painter->drawPixmap(0, 0, m_background);
    } else {
        painter->fillRect(boundingRect(), QColor(8, 24, 48));
    }
    if (!m_model.isNull()) {
        painter->drawPixmap((kWidth - m_model.width()) / 2, 150, m_model);
    }
    painter->setPen(QColor(120, 170, 210));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(kBar.adjusted(-2, -2, 1, 1));
    const int filled = kBar.width() * m_done / m_steps;
    painter->fillRect(QRect(kBar.left(), kBar.top(), filled, kBar.height()), QColor(90, 200, 255));
}

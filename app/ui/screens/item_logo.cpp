#include "ui/screens/item_logo.h"

#include <QCoreApplication>
#include <QMovie>
#include <QPainter>

namespace {
constexpr int kWidth = 272;
constexpr int kHeight = 480;
const QRect kBar(36, 400, 200, 8);
constexpr int kLineTop = 424;  // the moving line, under the progress bar
}  // namespace

ItemLogo::ItemLogo(QGraphicsItem* parent) : QGraphicsObject(parent) {
    m_background.load(QStringLiteral(":/logo/earth.png"));
    m_line = new QMovie(QStringLiteral(":/logo/bottomline.gif"), QByteArray(), this);
    m_line->setCacheMode(QMovie::CacheAll);
    connect(m_line, &QMovie::frameChanged, this, [this] { update(); });
}

void ItemLogo::showLogo(char model, int steps) {
    // Models 'd' and 'e' carry the second brand's logo.
    const bool second = model == 'd' || model == 'e';
    m_model.load(second ? QStringLiteral(":/logo/Dunmar-1.png")
                        : QStringLiteral(":/logo/Sablo-1.png"));
    m_steps = steps > 0 ? steps : 1;
    m_done = 0;
    show();
    if (m_line->isValid()) m_line->start();
    update();
}

void ItemLogo::stepGo() {
    if (m_done < m_steps) ++m_done;
    update();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

int ItemLogo::animationFrame() const {
    return m_line->state() == QMovie::Running ? m_line->currentFrameNumber() : -1;
}

QVariant ItemLogo::itemChange(GraphicsItemChange change, const QVariant& value) {
    if (change == ItemVisibleHasChanged && !value.toBool()) m_line->stop();
    return QGraphicsObject::itemChange(change, value);
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
    if (m_line->state() == QMovie::Running) {
        const QPixmap frame = m_line->currentPixmap();
        painter->drawPixmap((kWidth - frame.width()) / 2, kLineTop, frame);
    }
}

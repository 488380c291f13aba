#include "ui/screens/item_full_info.h"

#include <QFont>
#include <QPainter>

namespace {
constexpr int kWidth = 150;  // "999.9 Yard" at the largest
constexpr int kRowHeight = 30;
constexpr int kPad = 3;
constexpr int kIcon = 24;
constexpr int kTextX = kPad + kIcon + 6;
constexpr int kTextPixel = 18;
}  // namespace

ItemFullInfo::ItemFullInfo(QGraphicsItem* parent)
    : QGraphicsItem(parent),
      m_targetIcon(QStringLiteral(":/ico/target")),
      m_homeIcon(QStringLiteral(":/ico/home")),
      m_picture(kWidth, 2 * kRowHeight + 2 * kPad) {}

void ItemFullInfo::setFullInfo(const QString& target, const QString& home) {
    if (target == m_target && home == m_home) return;
    m_target = target;
    m_home = home;
    // Drawn at the next paint: the distances change with every move of the boat, and the
    // overlay is hidden in most screen layouts.
    m_dirty = true;
    update();
}

void ItemFullInfo::render() {
    m_picture.fill(Qt::transparent);
    QPainter p(&m_picture);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(8, 18, 31, 200));
    p.drawRoundedRect(QRectF(m_picture.rect()), 5, 5);
    QFont f;  // the application font
    f.setPixelSize(kTextPixel);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    const QPixmap* icons[2] = {&m_targetIcon, &m_homeIcon};
    const QString* texts[2] = {&m_target, &m_home};
    for (int row = 0; row < 2; ++row) {
        const int top = kPad + row * kRowHeight;
        const int iconTop = top + (kRowHeight - kIcon) / 2;
        p.drawPixmap(QRect(kPad, iconTop, kIcon, kIcon), *icons[row]);
        p.drawText(QRect(kTextX, top, kWidth - kTextX - kPad, kRowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, *texts[row]);
    }
}

QRectF ItemFullInfo::boundingRect() const {
    return QRectF(m_picture.rect());
}

void ItemFullInfo::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (m_dirty) {
        render();
        m_dirty = false;
    }
    painter->drawPixmap(0, 0, m_picture);
}

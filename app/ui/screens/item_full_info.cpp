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
      m_tile(kWidth, 2 * kRowHeight + 2 * kPad),
      m_picture(m_tile.size()) {
    m_tile.fill(Qt::transparent);
    QPainter p(&m_tile);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(8, 18, 31, 200));
    p.drawRoundedRect(QRectF(m_tile.rect()), 5, 5);
    p.end();
    m_picture = m_tile.copy();
}

void ItemFullInfo::setFullInfo(const QString& target, const QString& home) {
    if (target == m_target && home == m_home) return;
    // Drawn at the next paint: the distances change with every move of the boat, and the
    // overlay is hidden in most screen layouts.
    m_dirty[0] |= target != m_target;
    m_dirty[1] |= home != m_home;
    m_target = target;
    m_home = home;
    update();
}

void ItemFullInfo::renderRow(int row) {
    const int top = kPad + row * kRowHeight;
    // The row's band of the tile again, then its icon and text: the rows do not overlap.
    const QRect band(0, top, kWidth, kRowHeight);
    QPainter p(&m_picture);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawPixmap(band.topLeft(), m_tile, band);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QFont f;  // the application font
    f.setPixelSize(kTextPixel);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    const int iconTop = top + (kRowHeight - kIcon) / 2;
    p.drawPixmap(QRect(kPad, iconTop, kIcon, kIcon), row == 0 ? m_targetIcon : m_homeIcon);
    p.drawText(QRect(kTextX, top, kWidth - kTextX - kPad, kRowHeight),
               Qt::AlignLeft | Qt::AlignVCenter, row == 0 ? m_target : m_home);
}

QRectF ItemFullInfo::boundingRect() const {
    return QRectF(m_picture.rect());
}

void ItemFullInfo::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    for (int row = 0; row < 2; ++row) {
        if (!m_dirty[row]) continue;
        renderRow(row);
        m_dirty[row] = false;
    }
    painter->drawPixmap(0, 0, m_picture);
}

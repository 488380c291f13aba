#include "ui/screens/item_info_pan.h"

#include "sonar/update_inside.h"

#include "ui/kit/ux_theme.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>

namespace {
// Dark tiles with light text stay readable in sunlight; the yellow bar is the focus colour of
// the dialogs and menus.
const QColor kGround(8, 18, 31);
const QColor kTitleBand(14, 34, 58);
const QColor kFrame(60, 100, 140);
const QColor kTitleInk(150, 205, 255);
const QColor kValueInk(255, 255, 255);
const QColor kSelectBar(255, 212, 0);
constexpr int kTitleX = 4;
constexpr int kValueLeft = 5;
constexpr int kValueRightMargin = 4;
constexpr int kIconX = 8;
constexpr int kIconTop = 4;  // below the title band
constexpr int kBarX = 6;
constexpr int kBarHeight = 4;

// The value's layer starts halfway down the title band: no value or icon reaches above it, and
// the rows above are not blended for each new value.
int valueLayerTop(int titleHeight) {
    return titleHeight / 2;
}

QFont pixelFont(int pixels) {
    QFont font;  // the application font
    font.setPixelSize(pixels);
    return font;
}

// Short values large; a long one (a 12-hour time, a date) small enough for the narrow panel.
int valuePixelSize(int length, bool withIcon) {
    if (withIcon) return length > 2 ? 24 : 30;
    if (length < 6) return 30;
    if (length < 9) return 26;
    return 18;
}
}  // namespace

ItemInfoPan::ItemInfoPan(int width, int height, int titleHeight, int valueHeight,
                         std::shared_ptr<InfoPanPictures> pictures, QGraphicsItem* parent)
    : QGraphicsItem(parent),
      m_width(width),
      m_height(height),
      m_titleHeight(titleHeight),
      m_valueHeight(valueHeight),
      m_background(width, height),
      m_title(width, height),
      m_value(width, height - valueLayerTop(titleHeight)),
      m_picture(width, height),
      m_pictures(pictures ? std::move(pictures) : std::make_shared<InfoPanPictures>()) {
    m_background.fill(kGround);
    QPainter p(&m_background);
    p.fillRect(0, 0, width, titleHeight, kTitleBand);
    p.setPen(kFrame);
    p.drawRect(0, 0, width - 1, height - 1);
}

void ItemInfoPan::setInfoPan(const StructInfoPan& info) {
    const bool title = info.title != m_info.title;
    const bool value = info.value != m_info.value || info.icon.cacheKey() != m_info.icon.cacheKey();
    if (!title && !value) return;
    m_info = info;
    // Drawn at the next paint: panels hidden by the screen layout are refreshed in turn too.
    m_titleDirty |= title;
    m_baseDirty |= title;
    m_pictureDirty = true;
    updateInside(this);
}

void ItemInfoPan::renderTitle() {
    m_title.fill(Qt::transparent);
    QPainter p(&m_title);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(pixelFont(m_titleHeight / 2 + 3));
    UxTheme::drawText(p, QRect(kTitleX, 0, m_width - 2 * kTitleX, m_titleHeight), m_info.title,
                      kTitleInk, Qt::AlignLeft | Qt::AlignBottom);
}

void ItemInfoPan::renderValue() {
    m_value.fill(Qt::transparent);
    QPainter p(&m_value);
    p.translate(0, -valueLayerTop(m_titleHeight));  // drawn in the panel's own rows
    p.setRenderHint(QPainter::TextAntialiasing);
    const bool withIcon = !m_info.icon.isNull();
    const QFont valueFont = pixelFont(valuePixelSize(m_info.value.size(), withIcon));
    QRect band(kValueLeft, m_titleHeight, m_width - kValueRightMargin - kValueLeft, m_valueHeight);
    if (withIcon) {
        const QRect icon(kIconX, m_titleHeight + kIconTop, kIconSize, kIconSize);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(icon, m_info.icon);
        // Centred in the band like every value, but never over the icon.
        const int textWidth = QFontMetrics(valueFont).horizontalAdvance(m_info.value);
        const int centredLeft = band.left() + (band.width() - textWidth) / 2;
        if (centredLeft <= icon.right() + 2) band.setLeft(icon.right() + 2);
    }
    p.setFont(valueFont);
    UxTheme::drawText(p, band, m_info.value, kValueInk, Qt::AlignHCenter);
}

void ItemInfoPan::compose() {
    // The title and the value do not overlap: laid one after the other over the tile, they
    // give the same pixels as one layer holding both. The tile with the bar and the title is
    // kept for the next value. A new picture: the one before may be kept for another look.
    if (m_baseDirty) {
        if (m_titleDirty) renderTitle();
        m_titleDirty = false;
        m_base = m_background.copy();
        QPainter b(&m_base);
        if (m_selected)
            b.fillRect(kBarX, m_titleHeight + m_valueHeight - kBarHeight - 2, m_width - 2 * kBarX,
                       kBarHeight, kSelectBar);
        b.drawPixmap(0, 0, m_title);
        m_baseDirty = false;
    }
    m_picture = QPixmap(m_width, m_height);
    QPainter p(&m_picture);
    p.drawPixmap(0, 0, m_base);
    p.drawPixmap(0, valueLayerTop(m_titleHeight), m_value);
}

void ItemInfoPan::setSelected(bool selected) {
    if (selected == m_selected) return;
    m_selected = selected;
    m_baseDirty = true;
    m_pictureDirty = true;
    updateInside(this);
}

QPainterPath ItemInfoPan::opaqueArea() const {
    QPainterPath area;
    area.addRect(boundingRect());
    return area;
}

QRectF ItemInfoPan::boundingRect() const {
    return QRectF(0, 0, m_width, m_height);
}

InfoPanPictures::StructLook ItemInfoPan::look() const {
    return {m_width,      m_height,     m_titleHeight,
            m_info.title, m_info.value, m_info.icon.isNull() ? 0 : m_info.icon.cacheKey(),
            m_selected};
}

void ItemInfoPan::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    // The view paints the items a pixel around what it repaints: a panel under the echogram is
    // asked to paint on every scroll, with nothing of it to be seen. What the view repaints is
    // the painter's system clip.
    const QPaintEngine* engine = painter->paintEngine();
    const QRegion repainted = engine ? engine->systemClip() : QRegion();
    if (!repainted.isEmpty() &&
        !repainted.intersects(painter->deviceTransform().mapRect(boundingRect()).toAlignedRect()))
        return;
    if (m_pictureDirty) {
        const InfoPanPictures::StructLook now = look();
        m_picture = m_pictures->find(now);
        if (m_picture.isNull()) {
            renderValue();
            compose();
            m_pictures->keep(now, m_picture);
        }
        m_pictureDirty = false;
    }
    // Not dimmed at the source while a menu is open: each value is a new picture, and dimming
    // it once costs more than the view's blend over its one repaint.
    painter->drawPixmap(0, 0, m_picture);
}

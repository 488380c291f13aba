#include "sonar/dimmable_area.h"

#include <QPainter>

QRegion DimmableArea::dimmedArea() const {
    if (dimAlpha() == 0) return QRegion();
    return QRegion(dimBox()) - m_undimmed;
}

QPixmap DimmableArea::dimmedPicture(const QPixmap& picture, int alpha) {
    if (picture.isNull()) return picture;
    // Drawn into a new picture of its own kind (a copy of a pixmap is far slower).
    QPixmap dimmed(picture.size());
    const bool translucent = picture.hasAlphaChannel();
    if (translucent) dimmed.fill(Qt::transparent);
    QPainter p(&dimmed);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawPixmap(0, 0, picture);
    // Black over what is there, the alpha kept: each colour channel times (1 - alpha). Over an
    // opaque picture that is a plain blend, which the painter does far faster.
    p.setCompositionMode(translucent ? QPainter::CompositionMode_SourceAtop
                                     : QPainter::CompositionMode_SourceOver);
    p.fillRect(dimmed.rect(), QColor(0, 0, 0, alpha));
    return dimmed;
}

const QPixmap& DimmableArea::dimmedOnce(const QPixmap& picture) const {
    if (m_picturesAlpha != m_alpha) {
        m_dimmedPictures.clear();
        m_picturesAlpha = m_alpha;
    }
    auto it = m_dimmedPictures.find(picture.cacheKey());
    if (it == m_dimmedPictures.end() && m_dimmedPictures.size() >= kDimmedKept) {
        m_dimmedPictures.clear();  // pictures of values shown before
        it = m_dimmedPictures.end();
    }
    if (it == m_dimmedPictures.end())
        it = m_dimmedPictures.insert(picture.cacheKey(), dimmedPicture(picture, m_alpha));
    return it.value();
}

#include "sonar/dimmable_area.h"

#include <QPainter>

QRegion DimmableArea::dimmedArea() const {
    if (dimAlpha() == 0) return QRegion();
    return QRegion(dimBox()) - m_undimmed;
}

QPixmap DimmableArea::dimmedPicture(const QPixmap& picture, int alpha) {
    QPixmap dimmed = picture.copy();
    if (dimmed.isNull()) return dimmed;
    QPainter p(&dimmed);
    // Black over what is there, the alpha kept: each colour channel times (1 - alpha).
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
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

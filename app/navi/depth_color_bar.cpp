#include "navi/depth_color_bar.h"

#include "navi/truncate.h"

#include <QtGlobal>

DepthColorBar::DepthColorBar(const QImage& bar) : m_image(bar) {}

bool DepthColorBar::set(bool automatic, int up, int lo) {
    const int newUp = automatic ? 0 : up;
    const int newLo = automatic ? m_maxLoRng : lo;
    const bool changed = newUp != m_upRng || newLo != m_loRng || automatic != m_auto;
    m_auto = automatic;
    m_upRng = newUp;
    m_loRng = newLo;
    return changed;
}

int DepthColorBar::get(const QString& key) const {
    if (key == QLatin1String("upRng")) return m_upRng;
    if (key == QLatin1String("loRng")) return m_loRng;
    if (key == QLatin1String("maxLoRng")) return m_maxLoRng;
    if (key == QLatin1String("auto")) return m_auto ? 1 : 0;
    return 0;
}

bool DepthColorBar::noteDepth(float depth) {
    if (depth > m_maxLoRng) m_maxLoRng = qMax(m_maxLoRng, Navi::truncToInt(depth));
    return m_auto && set(true, 0, 0);
}

int DepthColorBar::row(float depth) const {
    if (depth <= m_upRng) return kShallowRow;
    if (depth >= m_loRng) return kDeepRow;
    // Only a manual range upside down or around zero gets here with loRng <= 0; the bounds keep
    // such a range (and a NaN depth) on the bar.
    const int r = Navi::truncToInt(depth / m_loRng * 59.0);
    return qBound(kShallowRow, r, kDeepRow);
}

QColor DepthColorBar::colour(float depth) const {
    const int r = row(depth);
    if (m_image.width() <= kColumn || m_image.height() <= r) return QColor(Qt::black);
    return m_image.pixelColor(kColumn, r);
}

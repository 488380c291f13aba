#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Which colour a depth takes on the map: a column of the colour bar picture, shallow at the
// top, deep at the bottom, spread over the range from upRng to loRng (whole metres). In the
// automatic mode the range runs from 0 to the deepest whole metre seen so far (maxLoRng); in
// the manual mode the user sets both limits.
class DepthColorBar {
public:
    static constexpr int kRows = 60;
    static constexpr int kColumn = 3;  // the bar's middle, clear of its edges
    static constexpr int kShallowRow = 1;
    static constexpr int kDeepRow = 59;
    static constexpr const char* kImage = ":/ico/colorbar.png";

    // The picture is read once; without one every depth is black.
    explicit DepthColorBar(const QImage& bar = QImage(QString::fromLatin1(kImage)));

    // The limits: automatic takes 0 and maxLoRng (up and lo are then ignored), manual takes
    // up and lo. True when a limit or the mode changed, so the caller recolours.
    bool set(bool automatic, int up, int lo);
    // "upRng", "loRng", "maxLoRng" or "auto" (1 or 0); 0 for any other key.
    int get(const QString& key) const;

    // A measured depth: a new deepest whole metre raises maxLoRng, and in the automatic mode
    // the range follows it at once, so the new depth is already coloured within the range.
    // True when the limits changed.
    bool noteDepth(float depth);

    // Row 1 at or above upRng, row 59 at or below loRng, in between the depth's share of
    // loRng.
    int row(float depth) const;
    QColor colour(float depth) const;

    int upRng() const { return m_upRng; }
    int loRng() const { return m_loRng; }
    int maxLoRng() const { return m_maxLoRng; }
    bool automatic() const { return m_auto; }
    const QImage& image() const { return m_image; }

private:
    QImage m_image;
    int m_upRng = 0;
    int m_loRng = 2;
    int m_maxLoRng = 2;
    bool m_auto = true;
};

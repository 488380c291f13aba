#pragma once

#include <QHash>
#include <QPixmap>
#include <QRegion>

// An item that can paint itself already dimmed. While a menu is open the view dims every pixel
// it repaints; for the echogram, repainted whole on every scroll with the read-outs and the
// scale over it, that is a blend of each of its pixels a frame. Before a repaint the view
// tells each such item whether to paint dimmed, and an item that covers its box, which of its
// area lies under other items that cannot (item coordinates: it paints undimmed there, and the
// view dims those pixels after the items over them). An item over others is told to dim only
// where all under it paints dimmed.
//
// What the view told holds for the repaint it was told in only: an item not repainted in the
// repaint after a menu closed would otherwise stay dimmed.
class DimmableArea {
public:
    virtual ~DimmableArea() = default;

    // The view starts a repaint.
    static void beginRepaint() { ++s_repaint; }

    // Dim this repaint by black of the given alpha, all but undimmed.
    void dimThisRepaint(int alpha, const QRegion& undimmed = QRegion()) {
        m_told = s_repaint;
        m_alpha = alpha;
        m_undimmed = undimmed;
    }
    // Whether the item paints every pixel of its bounding rectangle.
    virtual bool coversBox() const = 0;
    // What the item paints dimmed in this repaint (item coordinates): all of its box but the
    // undimmed part, empty when not told to.
    virtual QRegion dimmedArea() const;

    // picture (premultiplied) with its colour as black of alpha over it leaves it, its alpha
    // as it was: put over a dimmed picture it gives the picture it was put over, dimmed.
    static QPixmap dimmedPicture(const QPixmap& picture, int alpha);

protected:
    // The alpha to dim by in this repaint, 0 when not told to.
    int dimAlpha() const { return m_told == s_repaint ? m_alpha : 0; }
    const QRegion& undimmed() const { return m_undimmed; }
    // The box this item paints in; dimmedArea()'s whole.
    virtual QRect dimBox() const = 0;
    // picture dimmed by this repaint's alpha, made once per picture and alpha.
    const QPixmap& dimmedOnce(const QPixmap& picture) const;

private:
    static constexpr int kDimmedKept = 32;
    inline static unsigned s_repaint = 0;  // the GUI thread's
    unsigned m_told = ~0u;
    int m_alpha = 0;
    QRegion m_undimmed;
    mutable QHash<qint64, QPixmap> m_dimmedPictures;
    mutable int m_picturesAlpha = 0;
};

#pragma once

#include <QRegion>

// An item that can paint itself already dimmed. While a menu is open the view dims every
// pixel it repaints; for a picture repainted whole on every scroll that is a blend of each
// of its pixels a frame. Before such a repaint the view tells the item which of its area lies
// under other items (item coordinates, painted undimmed there and dimmed by the view after
// the items over it); the item paints the rest dimmed and says which part that is.
//
// What the view told holds for the repaint it was told in only: an item not repainted in the
// repaint after a menu closed would otherwise stay dimmed.
class DimmableArea {
public:
    virtual ~DimmableArea() = default;

    // The view starts a repaint.
    static void beginRepaint() { ++s_repaint; }

    // Dim this repaint by black of the given alpha, all but undimmed.
    void dimThisRepaint(int alpha, const QRegion& undimmed) {
        m_told = s_repaint;
        m_alpha = alpha;
        m_undimmed = undimmed;
    }
    // What the item paints dimmed in this repaint (item coordinates); empty when not told to.
    virtual QRegion dimmedArea() const = 0;

protected:
    // The alpha to dim by in this repaint, 0 when not told to.
    int dimAlpha() const { return m_told == s_repaint ? m_alpha : 0; }
    const QRegion& undimmed() const { return m_undimmed; }

private:
    inline static unsigned s_repaint = 0;  // the GUI thread's
    unsigned m_told = ~0u;
    int m_alpha = 0;
    QRegion m_undimmed;
};

#pragma once

#include "core/tick_timing.h"

#include <QGraphicsView>
#include <QPointer>

// The top-level window: a frameless 272 x 480 view of the scene. It dims the whole picture
// while a menu or dialog is open. The menus and dialogs are its child widgets, painted over
// the scene: the scene's picture is left out where an opaque one covers it, so that a scroll of
// the echogram under an open menu repaints neither that part of the picture nor the menu.
class UxView : public QGraphicsView {
public:
    explicit UxView(QGraphicsScene* scene, QWidget* parent = nullptr);

    void setLowLight();
    void setHightLight();
    // After start-up: plain black wherever no item covers the screen, so that no piece of the
    // start-up picture shows behind the small compass or the panels.
    void setWorkingBackground();
    bool isLowLight() const;
    // Whether an item that can paints itself dimmed (on by default; off, the view dims every
    // repainted pixel itself).
    void setDimsAtSource(bool on) { m_dimsAtSource = on; }

    static constexpr int kWidth = 272;
    static constexpr int kHeight = 480;

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void paintEvent(QPaintEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The viewport's mask: all of it but what a visible opaque child widget covers.
    void maskCovered();
    // Tells the items that can dim themselves what of them to dim in this repaint.
    void prepareDimming();
    // Whether the item that covered the last repaint opaque covers all of this one too.
    bool coveredByLast(const QRegion& repainted) const;

    TickTiming m_paintTiming{QStringLiteral("paints")};
    QRegion m_exposed;        // what the paint in progress repaints
    bool m_painting = false;  // in paintEvent (and not in a render() of the scene)
    QRegion m_dimmedByItems;  // of it, what items paint dimmed
    bool m_dimsAtSource = true;
    // The last item that covered a whole repaint, and its object, which tells when it is gone.
    QGraphicsItem* m_lastCover = nullptr;
    QPointer<QObject> m_lastCoverObject;
};

#include "core/ux_view.h"

#include "sonar/dimmable_area.h"
#include "sonar/painted_area.h"
#include "ui/kit/opaque_box.h"

#include <QChildEvent>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QPaintEvent>
#include <QPixmap>
#include <QRegion>
#include <QVector>
#include <QtMath>

UxView::UxView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFixedSize(kWidth, kHeight);
    setStyleSheet(QStringLiteral("padding:0px;border:0px"));
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setSceneRect(0, 0, kWidth, kHeight);
    const QPixmap start(QStringLiteral(":/logo/appstart.png"));
    if (!start.isNull()) {
        setBackgroundBrush(start.scaled(kWidth, kHeight));
    } else {
        setBackgroundBrush(Qt::black);
    }
    // The background brush is opaque and covers the whole viewport: the widget's own fill
    // under it would never be seen.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setHightLight();
    m_paintTiming.logAtEnd(QStringLiteral("screen paint"), this);
    show();
    setFocus();
}

void UxView::setLowLight() {
    setForegroundBrush(QColor(0, 0, 0, 100));
}

void UxView::setHightLight() {
    setForegroundBrush(QColor(0, 0, 0, 0));
}

void UxView::setWorkingBackground() {
    setBackgroundBrush(Qt::black);
    viewport()->update();
}

bool UxView::isLowLight() const {
    return foregroundBrush().color().alpha() != 0;
}

namespace {
// The rectangle an item paints every pixel of, in its own coordinates; empty when it declares
// none. Only rectangles with an opaque brush and the program's own opaque boxes count: a
// general item's opaque area is a path (a pixmap item's is worked out from its picture's
// mask), far too slow to ask for on every paint.
QRectF opaqueBoxOf(const QGraphicsItem* item) {
    if (item->type() == QGraphicsRectItem::Type) {
        const auto* r = static_cast<const QGraphicsRectItem*>(item);
        return r->brush().isOpaque() && !r->isClipped() ? r->rect() : QRectF();
    }
    if (item->type() < QGraphicsItem::UserType) return QRectF();
    const auto* box = dynamic_cast<const OpaqueBox*>(item);
    return box ? box->opaqueBox() : QRectF();
}
}  // namespace

void UxView::drawBackground(QPainter* painter, const QRectF& rect) {
    // The echogram, the panels and the map are opaque rectangles over most of what is
    // repainted on each scroll: the background is filled only where none of them covers it.
    QRegion open(rect.toAlignedRect());
    if (scene()) {
        for (const QGraphicsItem* item : scene()->items(rect, Qt::IntersectsItemBoundingRect)) {
            const QTransform& t = item->sceneTransform();
            if (t.type() > QTransform::TxTranslate) continue;
            const QRectF box = opaqueBoxOf(item);
            if (box.isEmpty() || item->effectiveOpacity() < 1.0) continue;
            // Only whole pixels count as covered.
            const QRectF r = box.translated(t.dx(), t.dy());
            const QPoint topLeft(qCeil(r.left()), qCeil(r.top()));
            const QPoint bottomRight(qFloor(r.right()) - 1, qFloor(r.bottom()) - 1);
            open -= QRect(topLeft, bottomRight);
            if (open.isEmpty()) return;
        }
    }
    // Each gap as a rectangle clip: a plain fill instead of one through the repaint's region.
    for (const QRect& r : open) {
        painter->save();
        painter->setClipRect(r, Qt::IntersectClip);
        painter->fillRect(r, backgroundBrush());
        painter->restore();
    }
}

void UxView::drawForeground(QPainter* painter, const QRectF& rect) {
    const QBrush& dim = foregroundBrush();
    if (dim.style() == Qt::NoBrush || dim.color().alpha() == 0) return;
    // The dimming lies over every repainted pixel: one rectangle at a time, each a rectangle
    // clip, it is blended row by row rather than through the repaint's region.
    for (const QRect& r : (m_exposed - m_dimmedByItems) & rect.toAlignedRect()) {
        painter->save();
        painter->setClipRect(r, Qt::IntersectClip);
        painter->fillRect(r, dim);
        painter->restore();
    }
}

void UxView::paintEvent(QPaintEvent* event) {
    const TickTiming::Scope timing(m_paintTiming);
    m_exposed = event->region();
    prepareDimming();
    QGraphicsView::paintEvent(event);
}

void UxView::prepareDimming() {
    DimmableArea::beginRepaint();
    m_dimmedByItems = QRegion();
    const QBrush& dim = foregroundBrush();
    if (!m_dimsAtSource || !scene() || dim.style() != Qt::SolidPattern ||
        dim.color().alpha() == 0 || (dim.color().rgb() & 0xFFFFFF) != 0)
        return;
    const QTransform toView = viewportTransform();
    if (toView.type() > QTransform::TxTranslate) return;
    const QRectF exposed = toView.inverted().mapRect(QRectF(m_exposed.boundingRect()));
    // From the top of the stack down: what lies over an item is painted over it after it.
    const QList<QGraphicsItem*> items =
        scene()->items(exposed, Qt::IntersectsItemBoundingRect, Qt::DescendingOrder);
    QVector<QPair<QGraphicsItem*, QRect>> boxes;  // the visible items so far, scene coordinates
    boxes.reserve(items.size());
    for (QGraphicsItem* item : items) {
        if (!item->isVisible()) continue;
        const QRect box = item->sceneBoundingRect().toAlignedRect();
        const QTransform& t = item->sceneTransform();
        auto* dimmable = item->type() >= QGraphicsItem::UserType
                             ? dynamic_cast<DimmableArea*>(item)
                             : nullptr;
        if (dimmable && t.type() <= QTransform::TxTranslate && item->effectiveOpacity() >= 1.0 &&
            t.dx() == qRound(t.dx()) && t.dy() == qRound(t.dy())) {
            QRegion above;
            for (const auto& [over, overBox] : boxes) {
                if (!overBox.intersects(box)) continue;
                // An item that paints only parts of its box says which.
                auto* parts = over->type() >= QGraphicsItem::UserType
                                  ? dynamic_cast<PaintedArea*>(over)
                                  : nullptr;
                const QTransform& o = over->sceneTransform();
                if (parts && o.type() <= QTransform::TxTranslate && o.dx() == qRound(o.dx()) &&
                    o.dy() == qRound(o.dy())) {
                    above += parts->paintedArea().translated(qRound(o.dx()), qRound(o.dy())) & box;
                } else {
                    above += overBox & box;
                }
            }

            const QPoint at(qRound(t.dx()), qRound(t.dy()));
            dimmable->dimThisRepaint(dim.color().alpha(), above.translated(-at));
            m_dimmedByItems += dimmable->dimmedArea().translated(
                at + QPoint(qRound(toView.dx()), qRound(toView.dy())));
        }
        boxes.append({item, box});
    }
}

void UxView::childEvent(QChildEvent* event) {
    QGraphicsView::childEvent(event);
    QObject* child = event->child();
    if (event->added() && child->isWidgetType() && child != viewport()) {
        child->installEventFilter(this);
    } else if (event->removed()) {
        maskCovered();
    }
}

bool UxView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
            maskCovered();
            break;
        default:
            break;
    }
    return QGraphicsView::eventFilter(watched, event);
}

void UxView::maskCovered() {
    // A widget that paints every pixel of its own (an opaque paint event) hides what lies
    // under it; the viewport then neither paints there nor, by its updates, makes Qt repaint
    // the widget over it.
    QRegion open(viewport()->rect());
    for (QObject* child : children()) {
        if (!child->isWidgetType() || child == viewport()) continue;
        const auto* w = static_cast<QWidget*>(child);
        if (!w->isVisible() || !w->testAttribute(Qt::WA_OpaquePaintEvent) || !w->mask().isEmpty())
            continue;
        open -= QRect(viewport()->mapFrom(this, w->pos()), w->size());
    }
    if (open == QRegion(viewport()->rect())) {
        if (!viewport()->mask().isEmpty()) viewport()->clearMask();
    } else if (open != viewport()->mask()) {
        viewport()->setMask(open);
    }
}

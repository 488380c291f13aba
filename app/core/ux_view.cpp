#include "core/ux_view.h"

#include "sonar/dimmable_area.h"
#include "ui/kit/opaque_box.h"

#include <QChildEvent>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QPaintEvent>
#include <QPixmap>
#include <QRegion>
#include <QVector>
#include <QtMath>
#include <algorithm>

UxView::UxView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFixedSize(kWidth, kHeight);
    setStyleSheet(QStringLiteral("padding:0px;border:0px"));
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    // No item paints antialiased shapes on the screen (texts stay in their boxes, the map's
    // scale bar is drawn into its own picture): a repaint need not grow two pixels around
    // each change, which repainted the panels above and below a changed one.
    setOptimizationFlag(QGraphicsView::DontAdjustForAntialiasing);
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

// The whole pixels, scene coordinates, that item paints opaque; empty when none.
QRect coveredBy(const QGraphicsItem* item) {
    const QTransform& t = item->sceneTransform();
    if (t.type() > QTransform::TxTranslate) return QRect();
    const QRectF box = opaqueBoxOf(item);
    if (box.isEmpty() || item->effectiveOpacity() < 1.0) return QRect();
    const QRectF r = box.translated(t.dx(), t.dy());
    const QPoint topLeft(qCeil(r.left()), qCeil(r.top()));
    const QPoint bottomRight(qFloor(r.right()) - 1, qFloor(r.bottom()) - 1);
    return QRect(topLeft, bottomRight);
}

// Whether every rectangle of region lies in box.
bool allIn(const QRegion& region, const QRect& box) {
    return std::all_of(region.begin(), region.end(),
                       [&](const QRect& r) { return box.contains(r); });
}
}  // namespace

bool UxView::coveredByLast(const QRegion& repainted) const {
    // Most repaints are the echogram's strip again, under one opaque item: it is asked again,
    // alive (a guard on the item's object), in this scene and visible, instead of searching
    // the scene for every item over the repaint.
    if (!m_lastCoverObject || !m_lastCover || m_lastCover->scene() != scene() ||
        !m_lastCover->isVisible())
        return false;
    const QRect box = coveredBy(m_lastCover);
    return !box.isEmpty() && allIn(repainted, box);
}

void UxView::drawBackground(QPainter* painter, const QRectF& rect) {
    // The echogram, the panels and the map are opaque rectangles over most of what is
    // repainted on each scroll: the background is filled only where none of them covers it.
    const QRect area = rect.toAlignedRect();
    const QRegion repainted = m_painting ? m_exposed & area : QRegion(area);
    if (coveredByLast(repainted)) return;
    QVector<QRect> covered;  // whole pixels, scene coordinates
    if (scene()) {
        for (QGraphicsItem* item : scene()->items(rect, Qt::IntersectsItemBoundingRect)) {
            const QRect box = coveredBy(item);
            if (box.isEmpty()) continue;
            covered.append(box);
            auto* object = dynamic_cast<QObject*>(item);
            if (object && allIn(repainted, box)) {
                m_lastCover = item;
                m_lastCoverObject = object;
            }
        }
    }
    // Each repainted rectangle on its own: most lie wholly inside one opaque item.
    for (const QRect& exposed : repainted) {
        if (std::any_of(covered.begin(), covered.end(),
                        [&](const QRect& c) { return c.contains(exposed); }))
            continue;
        QRegion open(exposed);
        for (const QRect& c : covered)
            if (c.intersects(exposed)) open -= c;
        // Each gap as a rectangle clip: a plain fill instead of one through the region.
        for (const QRect& r : open) {
            painter->save();
            painter->setClipRect(r, Qt::IntersectClip);
            painter->fillRect(r, backgroundBrush());
            painter->restore();
        }
    }
}

void UxView::drawForeground(QPainter* painter, const QRectF& rect) {
    const QBrush& dim = foregroundBrush();
    if (dim.style() == Qt::NoBrush || dim.color().alpha() == 0) return;
    // The dimming lies over every repainted pixel: one rectangle at a time, each a rectangle
    // clip, it is blended row by row rather than through the repaint's region.
    const QRect area = rect.toAlignedRect();
    for (const QRect& r : m_painting ? (m_exposed - m_dimmedByItems) & area : QRegion(area)) {
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
    m_painting = true;
    QGraphicsView::paintEvent(event);
    m_painting = false;
    // What the items were told holds for this paint only, not for a later render().
    DimmableArea::beginRepaint();
}

namespace {
// Whether all of box lies in region: at once when one of its rectangles holds it.
bool within(const QRect& box, const QRegion& region) {
    for (const QRect& r : region)
        if (r.contains(box)) return true;
    return (QRegion(box) - region).isEmpty();
}
}  // namespace

void UxView::prepareDimming() {
    DimmableArea::beginRepaint();
    m_dimmedByItems = QRegion();
    const QBrush& dim = foregroundBrush();
    if (!m_dimsAtSource || !scene() || dim.style() != Qt::SolidPattern ||
        dim.color().alpha() == 0 || (dim.color().rgb() & 0xFFFFFF) != 0)
        return;
    const QTransform toView = viewportTransform();
    if (toView.type() > QTransform::TxTranslate) return;
    // With a margin: the view paints the items a few pixels around what it repaints, and an
    // item painted but not told would drop its dimmed pictures.
    const QRectF exposed =
        toView.inverted().mapRect(QRectF(m_exposed.boundingRect().adjusted(-4, -4, 4, 4)));
    struct Dimmable {
        DimmableArea* item;
        QRect box;  // scene coordinates
        QPoint at;  // where the item's origin stands
        bool dims;  // for one that does not cover its box: whether it is told to
    };
    // From the bottom of the stack up: the area where everything painted so far is painted
    // dimmed. An item that covers its box and dims adds it; one that cannot dim takes its box
    // away; one over others dims only when all of its box lies in that area.
    QRegion dimmed;  // scene coordinates
    QVector<Dimmable> covering, over;
    QRegion reach;  // what may be painted, scene coordinates
    for (const QRect& r : m_exposed)
        reach += toView.inverted().mapRect(QRectF(r)).toAlignedRect().adjusted(-4, -4, 4, 4);
    for (QGraphicsItem* item :
         scene()->items(exposed, Qt::IntersectsItemBoundingRect, Qt::AscendingOrder)) {
        if (!item->isVisible()) continue;
        const QRect box = item->sceneBoundingRect().toAlignedRect();
        if (!reach.intersects(box)) continue;  // not painted
        const QTransform& t = item->sceneTransform();
        const bool own =
            item->type() >= QGraphicsItem::UserType || item->type() == QGraphicsRectItem::Type;
        auto* dimmable = own ? dynamic_cast<DimmableArea*>(item) : nullptr;
        const bool whole = t.dx() == qRound(t.dx()) && t.dy() == qRound(t.dy());
        if (!dimmable || t.type() > QTransform::TxTranslate || !whole ||
            item->effectiveOpacity() < 1.0) {
            dimmed -= box;
            continue;
        }
        const Dimmable entry{dimmable, box, QPoint(qRound(t.dx()), qRound(t.dy())), true};
        if (dimmable->coversBox()) {
            dimmed += box;
            covering.append(entry);
        } else if (within(box, dimmed)) {
            over.append(entry);
        } else {
            dimmed -= box;
        }
    }
    // What a covering item leaves undimmed (its fish there) and what an item over others then
    // no longer lies in take more away, until nothing changes.
    for (bool changed = true; changed;) {
        changed = false;
        for (const Dimmable& c : covering) {
            if (within(c.box, dimmed)) {
                c.item->dimThisRepaint(dim.color().alpha());
                continue;
            }
            c.item->dimThisRepaint(dim.color().alpha(),
                                   (QRegion(c.box) - dimmed).translated(-c.at));
            const QRegion left = (dimmed & c.box) - c.item->dimmedArea().translated(c.at);
            if (!left.isEmpty()) dimmed -= left;
        }
        for (Dimmable& o : over) {
            if (!o.dims || within(o.box, dimmed)) continue;
            o.dims = false;
            dimmed -= o.box;
            changed = true;
        }
    }
    for (const Dimmable& o : over)
        if (o.dims) o.item->dimThisRepaint(dim.color().alpha());
    m_dimmedByItems = dimmed.translated(qRound(toView.dx()), qRound(toView.dy()));
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

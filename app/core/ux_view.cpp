#include "core/ux_view.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QPixmap>
#include <QRegion>
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

void UxView::drawBackground(QPainter* painter, const QRectF& rect) {
    // The echogram, an opaque rectangle item, lies over most of what is repainted on each of
    // its scrolls: the background is filled only where no such rectangle covers it.
    QRegion open(rect.toAlignedRect());
    if (scene()) {
        for (const QGraphicsItem* item : scene()->items(rect, Qt::IntersectsItemBoundingRect)) {
            if (item->type() != QGraphicsRectItem::Type || item->opacity() < 1.0) continue;
            const auto* box = static_cast<const QGraphicsRectItem*>(item);
            const QTransform& t = box->sceneTransform();
            if (!box->brush().isOpaque() || t.type() > QTransform::TxTranslate) continue;
            // Only whole pixels count as covered.
            const QRectF r = t.mapRect(box->rect());
            const QPoint topLeft(qCeil(r.left()), qCeil(r.top()));
            const QPoint bottomRight(qFloor(r.right()) - 1, qFloor(r.bottom()) - 1);
            open -= QRect(topLeft, bottomRight);
        }
    }
    for (const QRect& r : open)
        painter->fillRect(r, backgroundBrush());
}

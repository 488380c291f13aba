#include "core/ux_view.h"

#include <QPixmap>

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

bool UxView::isLowLight() const {
    return foregroundBrush().color().alpha() != 0;
}

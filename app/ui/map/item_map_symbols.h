#pragma once

#include <QGraphicsItem>
#include <QGraphicsPixmapItem>
#include <QString>

// The small symbols on the map's drawing layer. Each is placed by its middle (the arrow by
// the boat's middle), so that turning it keeps it where it stands.

// Home (":/ico/home").
class ItemHome : public QGraphicsPixmapItem {
public:
    explicit ItemHome(QGraphicsItem* parent = nullptr);
};

// The current target, as the icon of the waypoint it came from.
class ItemTarget : public QGraphicsPixmapItem {
public:
    explicit ItemTarget(QGraphicsItem* parent = nullptr);
    void setIcon(int icon);
};

// The distance to the target, to the right of the boat's middle (its origin).
class ItemTargetDst : public QGraphicsItem {
public:
    explicit ItemTargetDst(QGraphicsItem* parent = nullptr);
    void setText(const QString& text);
    QString text() const { return m_text; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QString m_text;
};

// The arrow just beyond the boat that points to the target; it points down (south) before
// it is turned by the target's direction.
class ItemTargetDir : public QGraphicsPixmapItem {
public:
    explicit ItemTargetDir(QGraphicsItem* parent = nullptr);
};

// The cross of the select-point cursor.
class ItemSelectPoint : public QGraphicsItem {
public:
    static constexpr int kArm = 10;

    explicit ItemSelectPoint(QGraphicsItem* parent = nullptr);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
};

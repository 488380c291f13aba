#pragma once

#include <QGraphicsItem>
#include <QPixmap>
#include <QString>

// The distance overlay over the map: the distance to the target beside the target icon and
// the distance from home beside the home icon, on a dark tile. The tile is drawn once; a
// changed text redraws its own row over the tile's band.
class ItemFullInfo : public QGraphicsItem {
public:
    explicit ItemFullInfo(QGraphicsItem* parent = nullptr);

    // The two texts, each with its unit ("12.5 m", "-.- m").
    void setFullInfo(const QString& target, const QString& home);
    QString targetText() const { return m_target; }
    QString homeText() const { return m_home; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void renderRow(int row);

    QString m_target;
    QString m_home;
    QPixmap m_targetIcon;
    QPixmap m_homeIcon;
    QPixmap m_tile;
    QPixmap m_picture;
    bool m_dirty[2] = {true, true};  // the rows that do not show their texts yet
};

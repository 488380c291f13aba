#pragma once

#include "sonar/dimmable_area.h"

#include <QFont>
#include <QGraphicsItem>
#include <QImage>
#include <QPixmap>
#include <QTextLayout>

// The depth scale at the echogram's right edge: tick marks and the range (the shaded edge
// beside them is the wave strip's). It is repainted with the picture under it on every scroll,
// so the legend's texts are drawn once per range into two small pictures, and each paint blits
// those.
class ItemAxis : public QGraphicsItem, public DimmableArea {
public:
    explicit ItemAxis(QGraphicsItem* parent = nullptr);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    bool coversBox() const override { return false; }

    void setLoRange(int lowerRange, bool automatic);
    int loRange() const { return m_loRange; }
    bool automatic() const { return m_automatic; }
    void setImageHight(int h);

private:
    // One legend text, right-aligned and vertically centred in its box, as QPainter::drawText
    // places it, with its shadow one pixel down-right.
    struct Label {
        QTextLayout layout;
        QRect box;
        QPointF at;
        bool clip = false;  // taller than its box: drawText clips it to the box
        QPixmap picture;    // shadow and text over the box and the shadow's pixel beyond it
    };
    QRect dimBox() const override { return boundingRect().toAlignedRect(); }
    void layOut(const QFont& base);
    QRect tickRect(int t) const;
    void layOutLabel(Label& label, const QString& text, const QFont& font, int y);
    void drawLabel(QPainter* painter, const Label& label) const;
    void renderLabel(Label& label) const;

    int m_loRange = 10;
    bool m_automatic = true;
    int m_hight = 240;
    bool m_laidOut = false;
    QFont m_base;  // the painter's font the labels were laid out with
    Label m_half;
    Label m_full;
};

#pragma once

#include "sonar/dimmable_area.h"
#include "sonar/sonar_readout.h"

#include <QGraphicsItem>
#include <QPixmap>
#include <QVector>

class TextPixmap;

// The read-outs over the echogram's top-left corner: depth in big digits, water temperature
// and boat battery in medium digits, each shown when its overlay flag is set. They lie over the
// scrolling picture: the digits are put together once per change of a value, a flag or a unit
// into pictures cut to the ink of each row, and each repaint blits those.
class ItemText : public QGraphicsItem, public DimmableArea {
public:
    static constexpr int kDepthPitch = 40;
    static constexpr int kSmallPitch = 14;
    static constexpr int kTempRowY = 65;
    static constexpr int kBatteryRowY = 88;

    ItemText(const TextPixmap* digits, QGraphicsItem* parent = nullptr);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    bool coversBox() const override { return false; }

    void setReadout(const StructSonarReadout& readout);
    const StructSonarReadout& readout() const { return m_readout; }

private:
    QRect dimBox() const override { return boundingRect().toAlignedRect(); }
    // What besides the values decides the picture: the overlay flags, the units and the
    // dimming of an open menu.
    struct StructLook {
        bool depth = false, temperature = false, battery = false, feet = false, fahrenheit = false;
        int dimAlpha = 0;
        bool operator==(const StructLook& o) const {
            return depth == o.depth && temperature == o.temperature && battery == o.battery &&
                   feet == o.feet && fahrenheit == o.fahrenheit && dimAlpha == o.dimAlpha;
        }
    };
    struct StructPart {
        QRect rect;  // in the item
        QPixmap picture;
    };
    StructLook currentLook() const;
    // Draws a digit or unit and adds it to the ink of the row being drawn.
    void put(QPainter* painter, int x, int y, const QPixmap& pixmap);
    void render(const StructLook& look);
    void paintDepth(QPainter* painter);
    // A row of medium digits: whole digits (leading zeros dropped), point, tenths, unit.
    void paintRow(QPainter* painter, int y, bool negative, const int* whole, int wholeCount,
                  int tenths, const QPixmap& unit);

    const TextPixmap* m_digits;
    StructSonarReadout m_readout;
    StructLook m_look;
    bool m_rendered = false;  // m_parts show m_readout in m_look
    QVector<StructPart> m_parts;
    QRect m_ink;
};

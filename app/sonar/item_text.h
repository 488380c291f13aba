#pragma once

#include "sonar/sonar_readout.h"

#include <QGraphicsItem>

class TextPixmap;

// The read-outs over the echogram's top-left corner: depth in big digits, water temperature
// and boat battery in medium digits, each shown when its overlay flag is set.
class ItemText : public QGraphicsItem {
public:
    static constexpr int kDepthPitch = 40;
    static constexpr int kSmallPitch = 14;
    static constexpr int kTempRowY = 65;
    static constexpr int kBatteryRowY = 88;

    ItemText(const TextPixmap* digits, QGraphicsItem* parent = nullptr);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    void setReadout(const StructSonarReadout& readout);
    const StructSonarReadout& readout() const { return m_readout; }

private:
    void paintDepth(QPainter* painter);
    // A row of medium digits: whole digits (leading zeros dropped), point, tenths, unit.
    void paintRow(QPainter* painter, int y, bool negative, const int* whole, int wholeCount,
                  int tenths, const QPixmap& unit);

    const TextPixmap* m_digits;
    StructSonarReadout m_readout;
};

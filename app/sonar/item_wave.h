#pragma once

#include "sonar/shown_buffer.h"

#include <QGraphicsItem>
#include <vector>

// The narrow strip beside the echogram that shows the newest column as a bar graph.
class ItemWave : public QGraphicsItem {
public:
    static constexpr int kWidth = 24;
    static constexpr int kRows = 240;

    explicit ItemWave(QGraphicsItem* parent = nullptr);
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    uint16_t* buffer() { return m_buffer.data(); }
    // The buffer was repainted: shows the rows that differ from what is shown and schedules a
    // paint when any did.
    bool bufferChanged();
    void setImageHight(int h);

private:
    std::vector<uint16_t> m_buffer;
    ShownBuffer m_shown{ShownBuffer::Still};
    int m_hight = kRows;
};

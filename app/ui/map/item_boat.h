#pragma once

#include <QGraphicsPixmapItem>

// The boat on the map, bow up at heading 0, turned about its middle by the boat's heading. It
// looks different while its compass needs calibrating, and flashes a faint picture while it
// blinks (no usable satellite fix).
class ItemBoat : public QGraphicsPixmapItem {
public:
    static constexpr int kWidth = 22;
    static constexpr int kHeight = 42;

    explicit ItemBoat(QGraphicsItem* parent = nullptr);

    void setNeedCali(bool needCali);
    // The faint picture instead of the normal one.
    void setBlinkShown(bool shown);

private:
    void choose();

    QPixmap m_normal;
    QPixmap m_blink;
    QPixmap m_cali;
    bool m_needCali = false;
    bool m_blinkShown = false;
};

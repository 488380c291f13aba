#pragma once

#include "sonar/dimmable_area.h"
#include "sonar/shown_buffer.h"
#include "sonar/struct_fish_info.h"

#include <QGraphicsItem>
#include <QList>
#include <QPixmap>
#include <vector>

class TextPixmap;

// The echogram picture: a width x 240 RGB565 ring of columns shown scaled to the screen height,
// with the fish symbols and their depths on top. A scroll only moves where the ring starts;
// what is shown is a copy kept in the screen's format at the screen height; whoever writes a
// column of the picture writes it at physicalColumn(x) and reports it.
class ItemImage : public QGraphicsItem, public DimmableArea {
public:
    static constexpr int kRows = 240;

    ItemImage(int width, const TextPixmap* digits, QGraphicsItem* parent = nullptr);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    bool coversBox() const override { return true; }
    // The picture but what lies under other items and the fish there.
    QRegion dimmedArea() const override;

    uint16_t* buffer() { return m_buffer.data(); }
    const uint16_t* buffer() const { return m_buffer.data(); }
    int width() const { return m_width; }
    // The buffer column that holds column x of the picture (0 the oldest).
    int physicalColumn(int x) const { return m_shown.physicalColumn(x); }
    // Columns x .. x + n - 1 of the picture were repainted.
    void columnsChanged(int x, int n = 1);
    // Moves the picture n columns left; its newest n columns are to be repainted.
    void scrollColumns(int n);
    // A new, cleared buffer of w columns.
    void resetImageWidth(int w);
    void setImageHight(int h);
    int imageHight() const { return m_hight; }

    // The picture as an image, oldest column first (a copy).
    QImage image() const;
    // The picture as it is shown, at the screen height.
    QImage shownImage() const { return m_shown.picture(); }

    QList<StructFishInfo>& fish() { return m_fish; }
    const QList<StructFishInfo>& fish() const { return m_fish; }
    // Moves the fish n columns left and drops the oldest one once it is near the left edge.
    void scrollFish(int n);
    void shiftFish(float dx);

private:
    QRect dimBox() const override { return boundingRect().toAlignedRect(); }
    // Where fish f and its depth are drawn.
    QRect fishArea(const StructFishInfo& f) const;
    // Whether fish f is drawn dimmed in this repaint: only all of it.
    bool fishDimmed(const StructFishInfo& f) const;

    int m_width;
    int m_hight = kRows;
    std::vector<uint16_t> m_buffer;
    ShownBuffer m_shown;
    QList<StructFishInfo> m_fish;
    QPixmap m_fishIcon;
    const TextPixmap* m_digits;
};

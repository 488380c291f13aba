#pragma once

#include <QGraphicsPixmapItem>
#include <QGraphicsSimpleTextItem>

// A short text over the echogram or the map: bold, in its colour, with a dark outline so it
// reads over any echogram colour and in sunlight.
class ItemTextMark : public QGraphicsSimpleTextItem {
public:
    static constexpr int kPixelSize = 16;

protected:
    ItemTextMark(const QString& text, const QColor& colour);
};

// "REC.": a sonar log is being recorded.
class ItemRecordText : public ItemTextMark {
public:
    ItemRecordText();
};

// "Go-Back": the boat runs the go-back task.
class ItemGoBackText : public ItemTextMark {
public:
    ItemGoBackText();
};

// "Multi-Target": the boat runs through the multi-target list.
class ItemMultiTargetText : public ItemTextMark {
public:
    ItemMultiTargetText();
};

// The data logger's icon: it writes to the SD card.
class ItemExportIco : public QGraphicsPixmapItem {
public:
    ItemExportIco();
};

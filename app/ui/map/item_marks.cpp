#include "ui/map/item_marks.h"

#include <QBrush>
#include <QFont>
#include <QPen>

ItemTextMark::ItemTextMark(const QString& text, const QColor& colour) {
    QFont f = font();  // the application font
    f.setPixelSize(kPixelSize);
    f.setBold(true);
    setFont(f);
    setBrush(colour);
    setPen(QPen(QColor(0, 0, 0, 220), 1.0));
    setText(text);
    // Over the scrolling picture: the outlined text is drawn once, then blitted.
    setCacheMode(DeviceCoordinateCache);
    setFlag(ItemClipsToShape);  // a rectangle clip lets the blit copy whole rows
}

ItemRecordText::ItemRecordText() : ItemTextMark(QStringLiteral("REC."), QColor(255, 40, 40)) {}

ItemGoBackText::ItemGoBackText() : ItemTextMark(QStringLiteral("Go-Back"), QColor(255, 212, 0)) {}

ItemMultiTargetText::ItemMultiTargetText()
    : ItemTextMark(QStringLiteral("Multi-Target"), QColor(255, 212, 0)) {}

ItemExportIco::ItemExportIco() : QGraphicsPixmapItem(QPixmap(QStringLiteral(":/ico/record.png"))) {}

#include "ui/screens/item_dev_mode.h"

#include <QBrush>
#include <QFont>
#include <QPen>

ItemDevMode::ItemDevMode() {
    QFont f = font();
    f.setPixelSize(12);
    setFont(f);
    setBrush(QColor(255, 230, 80));
    setPen(QPen(QColor(0, 0, 0, 200), 0.5));
    // Over the scrolling picture: its outlined text is drawn only when a value changes.
    setCacheMode(DeviceCoordinateCache);
    setFlag(ItemClipsToShape);  // a rectangle clip lets the blit copy whole rows
    updatePara({});
}

void ItemDevMode::updatePara(const QStringList& values) {
    static const char* const labels[] = {"mR:", "  hR:", "  Cnt:", "  g:", "  ap:", "  "};
    QString text;
    for (int i = 0; i < 6; ++i)
        text += QLatin1String(labels[i]) + values.value(i);
    setText(text);
}

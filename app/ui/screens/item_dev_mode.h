#pragma once

#include <QGraphicsSimpleTextItem>
#include <QStringList>

// The developer-mode overlay: one line with the handset's and the boat's signal strength, the
// packet count, the gain, the autopilot state and the processor load.
class ItemDevMode : public QGraphicsSimpleTextItem {
public:
    ItemDevMode();

    // The six values, in the order above; missing ones show empty.
    void updatePara(const QStringList& values);
};

#pragma once

#include "base/screen_layout.h"

class ItemDevMode;
class ItemExportIco;
class ItemFullInfo;
class ItemGoBackText;
class ItemMultiTargetText;
class ItemRecordText;
class QGraphicsScene;

// The small items over the echogram and the map: the distance overlay, the recording mark,
// the data logger's icon, the go-back and multi-target labels and the developer overlay. All
// start hidden; each is shown by the part whose state it marks.
class ScreenOverlays {
public:
    explicit ScreenOverlays(QGraphicsScene* scene);

    ItemFullInfo* fullInfo() const { return m_fullInfo; }
    ItemRecordText* recordText() const { return m_recordText; }
    ItemExportIco* exportIco() const { return m_exportIco; }
    ItemGoBackText* goBackText() const { return m_goBackText; }
    ItemMultiTargetText* multiTargetText() const { return m_multiTargetText; }
    ItemDevMode* devMode() const { return m_devMode; }

    // Moves the items that change place with the layout; the distance overlay shows only in
    // the layouts that leave it room.
    void applyLayout(const StructScreenLayout& layout);

private:
    ItemFullInfo* m_fullInfo = nullptr;
    ItemRecordText* m_recordText = nullptr;
    ItemExportIco* m_exportIco = nullptr;
    ItemGoBackText* m_goBackText = nullptr;
    ItemMultiTargetText* m_multiTargetText = nullptr;
    ItemDevMode* m_devMode = nullptr;
};

#pragma once

#include "base/screen_layout.h"

#include <QString>

class QGraphicsScene;
class UxCompass;

// What both compass views show.
struct StructCompassShown {
    int heading = 0;  // the rose's turn
    float boatHeading = 0;
    bool targetShown = false;
    int targetDirection = 0;
    QString ledRc = QStringLiteral("off");
    QString ledAp = QStringLiteral("off");
    bool handsetNeedCali = false;
    bool boatNeedCali = false;

    bool operator==(const StructCompassShown& o) const {
        return heading == o.heading && boatHeading == o.boatHeading &&
               targetShown == o.targetShown && targetDirection == o.targetDirection &&
               ledRc == o.ledRc && ledAp == o.ledAp && handsetNeedCali == o.handsetNeedCali &&
               boatNeedCali == o.boatNeedCali;
    }
    bool operator!=(const StructCompassShown& o) const { return !(*this == o); }
};

// The two compass views of the main screen: the large one and the one scaled by 0.6, each
// shown where and when the screen layout says, both showing the same.
class CompassViews {
public:
    explicit CompassViews(QGraphicsScene* scene);

    void applyLayout(const StructScreenLayout& layout);
    // Hands the values to both views, the large one first, and repaints them when they changed.
    void show(const StructCompassShown& shown);
    const StructCompassShown& shown() const { return m_shown; }

    UxCompass* large() const { return m_large; }
    UxCompass* small() const { return m_small; }

private:
    UxCompass* m_large;
    UxCompass* m_small;
    StructCompassShown m_shown;
    bool m_painted = false;
};

#include "ui/screens/compass_views.h"

#include "ui/screens/ux_compass.h"

#include <QGraphicsScene>

namespace {
constexpr qreal kSmallScale = 0.6;
constexpr qreal kZ = 5;  // over the echogram and the map
}  // namespace

CompassViews::CompassViews(QGraphicsScene* scene) : m_large(new UxCompass), m_small(new UxCompass) {
    m_small->setScale(kSmallScale);
    for (UxCompass* c : {m_large, m_small}) {
        c->hide();
        c->setZValue(kZ);
        scene->addItem(c);
    }
}

void CompassViews::applyLayout(const StructScreenLayout& layout) {
    m_large->setPos(layout.largeCompassPos);
    m_large->setVisible(layout.largeCompassVisible);
    m_small->setPos(layout.compassPos);
    m_small->setVisible(layout.compassVisible);
}

void CompassViews::show(const StructCompassShown& s) {
    if (m_painted && s == m_shown) return;
    m_painted = true;
    m_shown = s;
    for (UxCompass* c : {m_large, m_small}) {
        c->setCompassHeading(s.heading);
        c->boat_setHeading(s.boatHeading);
        if (s.targetShown) {
            c->showTargetIco(s.targetDirection);
        } else {
            c->hideTargetIco();
        }
        c->setLed_rc(s.ledRc);
        c->setLed_ap(s.ledAp);
        c->needCali(s.handsetNeedCali);
        c->setNeedCali(s.boatNeedCali);
        c->updateItem();
    }
}

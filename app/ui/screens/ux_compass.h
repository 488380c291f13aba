#pragma once

#include <QGraphicsItem>
#include <QPixmap>
#include <QString>

// A compass view of the main screen, 140 x 132: the rose turned by the handset's heading
// (heading-up, north where the rose says), the boat and the target's direction drawn on the
// rose, the handset's heading in degrees, the remote-control and autopilot indicators, and
// the marks of a handset or boat compass that wants calibrating. The controller keeps two:
// a large one and one scaled down.
class UxCompass : public QGraphicsItem {
public:
    static constexpr int kWidth = 140;
    static constexpr int kHeight = 132;

    explicit UxCompass(QGraphicsItem* parent = nullptr);

    // The rose's turn: the shown handset heading as the map takes it (180 - raw).
    void setCompassHeading(int heading);
    // The boat's own heading (degrees, from the autopilot), on the rose.
    void boat_setHeading(float heading);
    // The target's direction from the boat as the map has it (0 south); shown on the rose.
    void showTargetIco(int direction);
    void hideTargetIco();
    void setLed_rc(const QString& state);  // "on" / "off"
    void setLed_ap(const QString& state);
    // The handset compass's mark (a reading outside its calibration).
    void needCali(bool need);
    // The boat compass's mark.
    void setNeedCali(bool need);
    void updateItem() { update(); }

    int compassHeading() const { return m_heading; }
    // The handset's heading as a compass reads it, 0..359.
    int headingDegrees() const;
    bool targetShown() const { return m_targetShown; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void paintRose(QPainter* p) const;

    QPixmap m_boat;
    QPixmap m_boatCali;
    QPixmap m_target;
    QPixmap m_ledOn;
    QPixmap m_ledOff;
    QPixmap m_caliMark;
    int m_heading = 0;
    float m_boatHeading = 0;
    int m_targetDirection = 0;
    bool m_targetShown = false;
    bool m_rcOn = false;
    bool m_apOn = false;
    bool m_needCali = false;
    bool m_boatNeedCali = false;
};

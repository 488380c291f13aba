#pragma once

#include <QGraphicsItem>
#include <QImage>
#include <QPixmap>
#include <QString>

// The map's fixed overlay, in view coordinates: the remote-control and autopilot indicators
// along the top edge, the depth colour bar with its two limits in the lower left corner, the
// scale and the compass rose in the lower right corner, the calibration mark and, in the
// developer display, the count of track segments drawn.
class ItemInfo : public QGraphicsItem {
public:
    explicit ItemInfo(QGraphicsItem* parent = nullptr);

    void setBoundSize(int width, int height);
    void setLed_rc(bool on);
    void setLed_ap(bool on);
    void setColorBar(const QImage& bar, const QString& upText, const QString& loText);
    void setScaleText(const QString& text);
    void setCompassHeading(int heading);
    void setNeedCali(bool needCali);
    void setSegmentCount(int count);

    QString upText() const { return m_upText; }
    QString loText() const { return m_loText; }
    QString scaleText() const { return m_scaleText; }
    int segmentCount() const { return m_segments; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void paintStrip(QPainter* p) const;
    QRectF stripPart() const;
    QRectF barPart() const;
    QRectF scalePart() const;
    QRectF countPart() const;

    int m_width = 0;
    int m_height = 0;
    QPixmap m_ledOn;
    QPixmap m_ledOff;
    QPixmap m_ledMiddle;
    QPixmap m_rose;
    QPixmap m_scaleMark;
    QPixmap m_caliMark;
    QImage m_bar;
    bool m_rcOn = false;
    bool m_apOn = false;
    QString m_upText;
    QString m_loText;
    QString m_scaleText;
    int m_heading = 0;
    bool m_needCali = false;
    int m_segments = 0;
};

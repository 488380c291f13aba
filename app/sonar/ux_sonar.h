#pragma once

#include "sonar/dimmable_area.h"
#include "sonar/sonar_paint.h"
#include "sonar/sonar_readout.h"
#include "sonar/struct_fish_info.h"
#include "sonar/text_pixmap.h"

#include <QGraphicsRectItem>
#include <QList>
#include <QObject>
#include <array>

class ItemImage;
class ItemWave;
class ItemAxis;
class ItemText;

// The scrolling echogram: the picture, the wave strip, the depth scale and the read-outs,
// all children of one grey rectangle that the controller places in the scene.
class UxSonar : public QObject, public QGraphicsRectItem, public DimmableArea {
    Q_OBJECT
public:
    static constexpr int kRows = 240;
    static constexpr int kBlinkEvery = 8;

    explicit UxSonar(QObject* parent = nullptr);

    // Only the grey that the picture and the wave strip leave uncovered.
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    // With the picture, and the strip with its edge over the gap, all of it is painted.
    bool coversBox() const override { return true; }

    void drawPixsel_sonar(int x, int surfaceRow, int bottomRow, const uint8_t* samples,
                          int autoOffset);
    void drawPixsel_wave(int surfaceRow, int bottomRow, const uint8_t* samples, int autoOffset);
    void drawPixsel_axis(int lowerRange, bool automatic);
    void imageBufferScroll(int n);
    void appendFish(const StructFishInfo& fish);
    void clearFish();
    void setImageWidth(int w);
    void setImageHight(int h);
    void refreshText(const int depthDigits[4], const int tempDigits[5], const int batteryDigits[3]);
    void refreshText(const StructSonarReadout& readout);
    void setTextBlink(bool blink);
    void do_timer();
    void updateItem();
    void initColorArray();
    // Takes the user palettes from /opt/selfcolortable.kct when it asks for a reload.
    bool loadUserColor();

    int image_width() const { return m_imageWidth; }
    int image_hight() const { return m_imageHight; }
    ItemImage* itemImage() const { return m_image; }
    ItemWave* itemWave() const { return m_wave; }
    ItemAxis* itemAxis() const { return m_axis; }
    ItemText* itemText() const { return m_text; }
    const QList<StructFishInfo>& fish() const;
    const SonarPaintState& paintState() const { return m_paint; }

    QList<const uint32_t*> colorArray_surface;
    QList<const uint32_t*> colorArray_fish;
    QList<const uint32_t*> colorArray_bottom;

    static const char* const kUserColorFile;

private:
    QRect dimBox() const override { return rect().toAlignedRect(); }
    SonarPaintSettings paintSettings() const;
    SonarPalettes palettes(int scheme) const;
    void place();

    TextPixmap m_pixmaps;
    ItemImage* m_image = nullptr;
    ItemWave* m_wave = nullptr;
    ItemAxis* m_axis = nullptr;
    ItemText* m_text = nullptr;
    int m_imageWidth = 246;
    int m_imageHight = kRows;
    SonarPaintState m_paint;
    // What the wave strip was last drawn from: frames come slower than ticks, and the same
    // newest column is not drawn and compared again.
    struct StructWaveInput {
        bool valid = false;
        int surfaceRow = 0, bottomRow = 0, autoOffset = 0;
        SonarPaintSettings settings;
        std::array<uint8_t, kRows> samples{};
    } m_waveDrawn;
    bool m_blink = false;
    int m_blinkCount = 0;
};

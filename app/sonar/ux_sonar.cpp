#include "sonar/ux_sonar.h"

#include "base/global.h"
#include "platform/platform.h"
#include "sonar/color_table_file.h"
#include "sonar/item_axis.h"
#include "sonar/item_image.h"
#include "sonar/item_text.h"
#include "sonar/item_wave.h"
#include "sonar/shown_buffer.h"
#include "sonar/sonar_palette.h"
#include "sonar/update_inside.h"

#include <QBrush>
#include <QPainter>
#include <QPen>
#include <algorithm>

const char* const UxSonar::kUserColorFile = "/opt/selfcolortable.kct";

namespace {
constexpr int kWaveGap = 2;   // the wave strip stands this far right of the picture
constexpr int kAxisBack = 8;  // the scale stands this far left of the picture's right edge
constexpr int kScreenWidth = 272;
constexpr int kBlinkWrap = 9999;
}  // namespace

UxSonar::UxSonar(QObject* parent) : QObject(parent) {
    setPen(Qt::NoPen);
    setBrush(QColor(96, 96, 96));
    m_image = new ItemImage(m_imageWidth, &m_pixmaps, this);
    m_image->setZValue(1);
    m_wave = new ItemWave(this);
    m_wave->setZValue(2);
    m_axis = new ItemAxis(this);
    m_axis->setZValue(3);
    m_text = new ItemText(&m_pixmaps, this);
    m_text->setZValue(3);
    m_text->setPos(0, 0);
    place();
    initColorArray();
    loadUserColor();
}

void UxSonar::place() {
    setRect(0, 0, kScreenWidth, m_imageHight);
    m_image->setPos(0, 0);
    m_wave->setPos(m_imageWidth + kWaveGap, 0);
    m_axis->setPos(m_imageWidth - kAxisBack, 0);
}

void UxSonar::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    // The picture and the strip are opaque and repainted with every scroll, and the gap
    // between them lies under the strip's shaded edge: only a picture narrower than the screen
    // leaves grey to be seen, right of the strip. The rectangle as a whole stays opaque, so the
    // view leaves out the background under it.
    const qreal right = m_imageWidth + kWaveGap + ItemWave::kWidth;
    const QRectF all = rect();
    const int alpha = dimAlpha();
    const QColor grey =
        alpha > 0 ? QColor::fromRgb(ShownBuffer::dimmedRgb32(brush().color().rgb(), alpha))
                  : brush().color();
    if (right < all.right())
        painter->fillRect(QRectF(right, 0, all.right() - right, all.height()), grey);
}

void UxSonar::initColorArray() {
    colorArray_surface = {colorArray_rgb565_surface_blue, colorArray_rgb565_surface_yellow,
                          colorArray_rgb565_surface_user};
    colorArray_fish = {colorArray_rgb565_fish_blue, colorArray_rgb565_fish_yellow,
                       colorArray_rgb565_fish_user};
    colorArray_bottom = {colorArray_rgb565_bottom_blue, colorArray_rgb565_bottom_yellow,
                         colorArray_rgb565_bottom_user};
}

bool UxSonar::loadUserColor() {
    m_waveDrawn.valid = false;  // new colours for the same column
    return ColorTableFile::loadUserPalettes(Platform::path(QString::fromLatin1(kUserColorFile)));
}

SonarPaintSettings UxSonar::paintSettings() const {
    const StructConfiguration& cfg = Global::configuration;
    SonarPaintSettings s;
    s.background = cfg.backgroundColor;
    s.scheme = cfg.colorScheme >= 0 && cfg.colorScheme < 3 ? cfg.colorScheme : 0;
    s.colorLine = cfg.colorLine;
    s.bottomLine = cfg.bottomLine;
    return s;
}

SonarPalettes UxSonar::palettes(int scheme) const {
    return {colorArray_surface.value(scheme), colorArray_fish.value(scheme),
            colorArray_bottom.value(scheme)};
}

void UxSonar::drawPixsel_sonar(int x, int surfaceRow, int bottomRow, const uint8_t* samples,
                               int autoOffset) {
    const SonarPaintSettings s = paintSettings();
    if (x < 0 || x >= m_image->width()) return;
    SonarPaint::column(m_image->buffer(), m_image->width(), m_image->physicalColumn(x), surfaceRow,
                       bottomRow, samples, autoOffset, s, palettes(s.scheme), &m_paint);
    m_image->columnsChanged(x);
}

void UxSonar::drawPixsel_wave(int surfaceRow, int bottomRow, const uint8_t* samples,
                              int autoOffset) {
    const SonarPaintSettings s = paintSettings();
    StructWaveInput& w = m_waveDrawn;
    if (w.valid && w.surfaceRow == surfaceRow && w.bottomRow == bottomRow &&
        w.autoOffset == autoOffset && w.settings.background == s.background &&
        w.settings.scheme == s.scheme && w.settings.colorLine == s.colorLine &&
        w.settings.bottomLine == s.bottomLine &&
        std::equal(w.samples.begin(), w.samples.end(), samples))
        return;
    w = {true, surfaceRow, bottomRow, autoOffset, s, {}};
    std::copy(samples, samples + kRows, w.samples.begin());
    SonarPaint::WaveRows rows;
    SonarPaint::waveRows(rows, surfaceRow, bottomRow, samples, autoOffset, s, palettes(s.scheme));
    m_wave->setRows(rows, SonarPalette::background(s.background));
}

void UxSonar::drawPixsel_axis(int lowerRange, bool automatic) {
    m_axis->setLoRange(lowerRange, automatic);
}

void UxSonar::imageBufferScroll(int n) {
    m_image->scrollColumns(n);
    m_image->scrollFish(n);
}

void UxSonar::appendFish(const StructFishInfo& fish) {
    m_image->fish().append(fish);
}

void UxSonar::clearFish() {
    m_image->fish().clear();
}

const QList<StructFishInfo>& UxSonar::fish() const {
    return m_image->fish();
}

void UxSonar::setImageWidth(int w) {
    if (w < 1) return;
    const int change = w - m_imageWidth;
    m_imageWidth = w;
    m_image->resetImageWidth(w);
    m_image->shiftFish(change);
    place();
}

void UxSonar::setImageHight(int h) {
    if (h < 1) return;
    prepareGeometryChange();
    m_imageHight = h;
    m_image->setImageHight(h);
    m_wave->setImageHight(h);
    m_axis->setImageHight(h);
    place();
}

void UxSonar::refreshText(const int depthDigits[4], const int tempDigits[5],
                          const int batteryDigits[3]) {
    StructSonarReadout r;
    std::copy(depthDigits, depthDigits + 4, r.depth);
    std::copy(tempDigits, tempDigits + 5, r.temperature);
    std::copy(batteryDigits, batteryDigits + 3, r.battery);
    m_text->setReadout(r);
}

void UxSonar::refreshText(const StructSonarReadout& readout) {
    m_text->setReadout(readout);
}

void UxSonar::setTextBlink(bool blink) {
    m_blink = blink;
}

void UxSonar::do_timer() {
    m_blinkCount = m_blinkCount < kBlinkWrap ? m_blinkCount + 1 : 0;
    if (m_blinkCount % kBlinkEvery != 0) return;
    if (m_blink) {
        m_text->setVisible(!m_text->isVisible());
    } else {
        m_text->setVisible(true);
        m_blinkCount = 0;
    }
}

void UxSonar::updateItem() {
    // The whole strip, the picture with the wave strip and its edge: one
    // rectangle, whose repaint copies and blends whole rows (two with a gap between them
    // would be clipped pixel by pixel).
    updateInside(this);
}

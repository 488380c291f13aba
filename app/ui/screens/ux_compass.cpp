#include "ui/screens/ux_compass.h"

#include <QFont>
#include <QPainter>

namespace {
constexpr int kCentreX = 70;
constexpr int kCentreY = 70;
constexpr int kRadius = 54;
const QColor kFace(16, 32, 40, 210);
const QColor kRing(230, 230, 230);
const QColor kNorth(220, 40, 30);
}  // namespace

UxCompass::UxCompass(QGraphicsItem* parent)
    : QGraphicsItem(parent),
      m_boat(QStringLiteral(":/ico/boat")),
      m_boatCali(QStringLiteral(":/ico/boat_cali")),
      m_target(QStringLiteral(":/ico/target_dir")),
      m_ledOn(QStringLiteral(":/ico/led_on")),
      m_ledOff(QStringLiteral(":/ico/led_off")),
      m_caliMark(QStringLiteral(":/ico/need_cali")) {
    // The turned rose is costly to draw and lies over the scrolling picture in layout 0: it is
    // drawn once per change of what it shows, and blitted on every other repaint.
    setCacheMode(DeviceCoordinateCache);
    setFlag(ItemClipsToShape);  // a rectangle clip lets the blit copy whole rows
}

void UxCompass::setCompassHeading(int heading) {
    m_heading = heading;
}

void UxCompass::boat_setHeading(float heading) {
    m_boatHeading = heading;
}

void UxCompass::showTargetIco(int direction) {
    m_targetDirection = direction;
    m_targetShown = true;
}

void UxCompass::hideTargetIco() {
    m_targetShown = false;
}

void UxCompass::setLed_rc(const QString& state) {
    m_rcOn = state == QLatin1String("on");
}

void UxCompass::setLed_ap(const QString& state) {
    m_apOn = state == QLatin1String("on");
}

void UxCompass::needCali(bool need) {
    m_needCali = need;
}

void UxCompass::setNeedCali(bool need) {
    m_boatNeedCali = need;
}

int UxCompass::headingDegrees() const {
    return ((-m_heading) % 360 + 360) % 360;
}

QRectF UxCompass::boundingRect() const {
    return QRectF(0, 0, kWidth, kHeight);
}

// The rose and what stands on it, in the rose's own turn.
void UxCompass::paintRose(QPainter* p) const {
    p->save();
    p->translate(kCentreX, kCentreY);
    p->rotate(m_heading);
    p->setPen(QPen(kRing, 1));
    for (int d = 0; d < 360; d += 10) {
        const int inner = d % 30 == 0 ? kRadius - 8 : kRadius - 4;
        p->drawLine(QLineF(0, -inner, 0, -kRadius));
        p->rotate(10);
    }
    QFont f;
    f.setPixelSize(13);
    f.setBold(true);
    p->setFont(f);
    const char* points[4] = {"N", "E", "S", "W"};
    for (int i = 0; i < 4; ++i) {
        p->setPen(i == 0 ? kNorth : kRing);
        p->drawText(QRectF(-10, -kRadius + 9, 20, 16), Qt::AlignCenter, QLatin1String(points[i]));
        p->rotate(90);
    }
    if (m_targetShown) {
        p->save();
        p->rotate(m_targetDirection + 180);
        p->drawPixmap(-m_target.width() / 2, -kRadius - m_target.height() / 2 + 2, m_target);
        p->restore();
    }
    p->rotate(m_boatHeading);
    const QPixmap& boat = m_boatNeedCali ? m_boatCali : m_boat;
    p->drawPixmap(-boat.width() / 2, -boat.height() / 2, boat);
    p->restore();
}

void UxCompass::paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) {
    p->setRenderHint(QPainter::Antialiasing);
    p->setRenderHint(QPainter::SmoothPixmapTransform);
    p->setPen(Qt::NoPen);
    p->setBrush(kFace);
    p->drawRoundedRect(boundingRect(), 6, 6);
    p->setBrush(Qt::NoBrush);
    p->setPen(QPen(kRing, 2));
    p->drawEllipse(QPointF(kCentreX, kCentreY), kRadius, kRadius);
    paintRose(p);
    // The lubber line: where the handset points.
    p->setPen(QPen(kNorth, 3));
    p->drawLine(kCentreX, kCentreY - kRadius - 4, kCentreX, kCentreY - kRadius + 6);
    p->drawPixmap(QRect(4, 2, 40, 6), m_rcOn ? m_ledOn : m_ledOff);
    p->drawPixmap(QRect(kWidth - 44, 2, 40, 6), m_apOn ? m_ledOn : m_ledOff);
    QFont f;
    f.setPixelSize(12);
    f.setBold(true);
    p->setFont(f);
    p->setPen(kRing);
    p->drawText(QRectF(kWidth - 44, kHeight - 16, 42, 14), Qt::AlignRight | Qt::AlignVCenter,
                QString::number(headingDegrees()) + QChar(0x00B0));
    if (m_needCali) p->drawPixmap(4, kHeight - 16, m_caliMark);
}

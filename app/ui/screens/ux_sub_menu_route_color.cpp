#include "ui/screens/ux_sub_menu_route_color.h"

#include "base/global.h"
#include "base/tr_resource.h"
#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/screens/slider_lists.h"
#include "ui/screens/ux_sub_menu_value.h"

#include <QEvent>
#include <QPainter>

UxSubMenuRouteColor::UxSubMenuRouteColor(UxSubMenuValue* slider, QWidget* parent)
    : UxKeyWidget(parent), m_slider(slider) {
    m_title = new UxTitleBar(this);
    m_slider->installEventFilter(this);
}

void UxSubMenuRouteColor::showRouteColor(int upper, int lower, int maxLower, bool automatic) {
    m_title->setTitleText(TrResource::getTrString(TR_RouteColor));
    m_upper = float(upper);
    m_lower = float(lower);
    m_maxLower = maxLower;
    m_auto = automatic;
    m_focus = FocusAuto;
    keepInsideParent();
    show();
    update();
}

QString UxSubMenuRouteColor::rowText(int row) const {
    const auto depth = [](float metres) {
        return Global::getString_depthValue(metres, 0, false) + QLatin1Char(' ') +
               Global::getString_depthUnit();
    };
    switch (row) {
        case FocusAuto:
            return TrResource::getTrString(TR_Auto);
        case FocusManual:
            return TrResource::getTrString(TR_Manual);
        case FocusUpper:
            return depth(m_upper);
        case FocusLower:
            return depth(m_lower);
        case FocusOk:
            return TrResource::getTrString(TR_Ok);
        default:
            return QString();
    }
}

void UxSubMenuRouteColor::openSlider(bool upperLimit) {
    const StructSliderList list = upperLimit ? RouteColorLists::upper(int(m_upper), int(m_lower))
                                             : RouteColorLists::lower(int(m_upper), m_maxLower);
    m_slider->showSubMenu(TrResource::getTrString(TR_RouteColor), list.unit, list.values,
                          list.shown, upperLimit ? &m_upper : &m_lower);
}

void UxSubMenuRouteColor::keyClicked(EnumKey key) {
    switch (key) {
        case EnumKey::Up:
            m_focus = (m_focus + kFocusCount - 1) % kFocusCount;
            break;
        case EnumKey::Down:
            m_focus = (m_focus + 1) % kFocusCount;
            break;
        case EnumKey::Enter:
            if (m_focus == FocusAuto || m_focus == FocusManual) m_auto = m_focus == FocusAuto;
            if (m_focus == FocusUpper || m_focus == FocusLower) openSlider(m_focus == FocusUpper);
            if (m_focus == FocusOk) {
                hide();
                emit signal_routeColorClick_ok(m_auto, upper(), lower());
            }
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            hide();
            break;
        default:
            return;
    }
    keyTone();
    update();
}

bool UxSubMenuRouteColor::eventFilter(QObject* watched, QEvent* event) {
    // The slider writes the depth as it moves; the field shows it once the slider is gone.
    if (watched == m_slider && event->type() == QEvent::Hide) update();
    return UxKeyWidget::eventFilter(watched, event);
}

void UxSubMenuRouteColor::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    const int f = UxTheme::kFrameWidth;
    m_title->setGeometry(f, f, width() - 2 * f, UxTheme::kTitleHeight);
}

QRect UxSubMenuRouteColor::rowRect(int row) const {
    const int f = UxTheme::kFrameWidth;
    return QRect(f, f + UxTheme::kTitleHeight + row * kRowHeight, width() - 2 * f, kRowHeight);
}

QVector<StructTextBox> UxSubMenuRouteColor::textBoxes() const {
    QVector<StructTextBox> boxes;
    for (StructTextBox b : m_title->textBoxes()) {
        b.box.translate(m_title->pos());
        boxes.append(b);
    }
    for (int row = 0; row < kFocusCount; ++row)
        boxes.append({rowText(row), rowRect(row).adjusted(28, 0, -4, 0), UxTheme::font()});
    return boxes;
}

void UxSubMenuRouteColor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    UxTheme::drawPanel(p, rect());
    p.setFont(UxTheme::font());
    for (int row = 0; row < kFocusCount; ++row) {
        const QRect r = rowRect(row);
        const bool focused = row == m_focus;
        if (focused) p.fillRect(r.adjusted(1, 1, -1, -1), UxTheme::kSelect);
        const QColor ink = focused ? UxTheme::kSelectInk : UxTheme::kInk;
        if (row == FocusAuto || row == FocusManual) {
            QRect box(0, 0, 14, 14);
            box.moveCenter(QPoint(r.left() + 14, r.center().y()));
            p.setPen(QPen(ink, 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(box);
            if (m_auto == (row == FocusAuto)) p.fillRect(box.adjusted(3, 3, -2, -2), ink);
        }
        UxTheme::drawText(p, r.adjusted(28, 0, -4, 0), rowText(row), ink,
                          row == FocusOk ? Qt::AlignHCenter : 0);
    }
}

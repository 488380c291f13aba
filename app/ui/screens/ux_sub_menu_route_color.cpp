#include "ui/screens/ux_sub_menu_route_color.h"

#include "base/global.h"
#include "base/tr_resource.h"
#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/screens/slider_lists.h"
#include "ui/screens/ux_sub_menu_value.h"

#include <QEvent>
#include <QPainter>

namespace {
// Unframed rows, the texts clear of the tick boxes; only Up and Down walk them.
FieldTable::StructLook look() {
    FieldTable::StructLook look;
    look.frame = FieldTable::EnumFrame::None;
    look.margins = QMargins(27, 0, 3, 0);
    look.checkLeft = 7;
    look.leftRightMove = false;
    return look;
}

QString depthText(float metres) {
    return Global::getString_depthValue(metres, 0, false) + QLatin1Char(' ') +
           Global::getString_depthUnit();
}
}  // namespace

UxSubMenuRouteColor::UxSubMenuRouteColor(UxSubMenuValue* slider, QWidget* parent)
    : UxKeyWidget(parent), m_fields(look()), m_slider(slider) {
    m_title = new UxTitleBar(this);
    layOut();
    m_fields.setFocus(FocusAuto);
    m_slider->installEventFilter(this);
}

void UxSubMenuRouteColor::showRouteColor(int upper, int lower, int maxLower, bool automatic) {
    m_title->setTitleText(TrResource::getTrString(TR_RouteColor));
    m_upper = float(upper);
    m_lower = float(lower);
    m_maxLower = maxLower;
    m_auto = automatic;
    m_fields.setFocus(FocusAuto);
    keepInsideParent();
    show();
    update();
}

QString UxSubMenuRouteColor::rowText(int row) const {
    return m_fields.textOf(row);
}

void UxSubMenuRouteColor::openSlider(bool upperLimit) {
    const StructSliderList list = upperLimit ? RouteColorLists::upper(int(m_upper), int(m_lower))
                                             : RouteColorLists::lower(int(m_upper), m_maxLower);
    m_slider->showSubMenu(TrResource::getTrString(TR_RouteColor), list.unit, list.values,
                          list.shown, upperLimit ? &m_upper : &m_lower);
}

void UxSubMenuRouteColor::keyClicked(EnumKey key) {
    switch (key) {
        case EnumKey::Enter:
            if (focus() == FocusAuto || focus() == FocusManual) m_auto = focus() == FocusAuto;
            if (focus() == FocusUpper || focus() == FocusLower) openSlider(focus() == FocusUpper);
            if (focus() == FocusOk) {
                hide();
                emit signal_routeColorClick_ok(m_auto, upper(), lower());
            }
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            hide();
            break;
        default:
            if (!m_fields.step(key)) return;
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
    layOut();
}

// One row each, under the title; the focus fills the row inside the panel's frame.
void UxSubMenuRouteColor::layOut() {
    m_fields.clear();
    const auto row = [this](int n) {
        const int f = UxTheme::kFrameWidth;
        return QRect(f + 1, f + UxTheme::kTitleHeight + n * kRowHeight + 1, width() - 2 * f - 2,
                     kRowHeight - 2);
    };
    m_fields.check(FocusAuto, row(FocusAuto), FieldTable::trText(TR_Auto),
                   [this] { return m_auto; });
    m_fields.check(FocusManual, row(FocusManual), FieldTable::trText(TR_Manual),
                   [this] { return !m_auto; });
    m_fields.value(FocusUpper, row(FocusUpper), [this] { return depthText(m_upper); });
    m_fields.value(FocusLower, row(FocusLower), [this] { return depthText(m_lower); });
    m_fields.button(FocusOk, row(FocusOk), FieldTable::trText(TR_Ok));
}

QVector<StructTextBox> UxSubMenuRouteColor::textBoxes() const {
    return m_fields.textBoxes(m_title);
}

void UxSubMenuRouteColor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    UxTheme::drawPanel(p, rect());
    m_fields.paint(p);
}

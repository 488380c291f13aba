#include "ui/screens/ux_sub_menu_value.h"

#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"
#include "ui/kit/value_list.h"

#include <QPainter>

namespace {
constexpr int kTrackHeight = 4;
constexpr int kArrowRoom = 22;
}  // namespace

UxSubMenuValue::UxSubMenuValue(QWidget* parent) : UxKeyWidget(parent) {
    m_title = new UxTitleBar(this);
    layOut();
    KeyInput::StructRepeat schedule;
    schedule.firstTick = 6;
    schedule.every = 2;
    schedule.accelTick = 26;
    schedule.factor = kAccelFactor;
    setRepeat({EnumKey::Left, EnumKey::Down, EnumKey::Right, EnumKey::Up}, schedule);
}

void UxSubMenuValue::showSubMenu(const QString& title, const QString& unit,
                                 const QStringList& values, const QStringList& shownTexts,
                                 float* field) {
    if (values.isEmpty() || field == nullptr) return;
    m_field = field;
    m_oldValue = *field;
    m_title->setTitleText(title);
    m_unit = unit;
    m_values = values;
    m_shown = shownTexts;
    const int index = ValueList::indexOf(*field, values);
    slot_valueChanged(index < 0 ? 0 : index);
    keepInsideParent();
    show();
}

QString UxSubMenuValue::getTitle() const {
    return m_title->getTitle();
}

QString UxSubMenuValue::shownText() const {
    if (m_index < 0) return QString();
    const QString text = m_index < m_shown.size() ? m_shown.at(m_index) : m_values.value(m_index);
    return m_unit.isEmpty() ? text : text + QLatin1Char(' ') + m_unit;
}

void UxSubMenuValue::slot_valueChanged(int index) {
    if (m_values.isEmpty()) return;
    m_index = qBound(0, index, m_values.size() - 1);
    if (m_field) *m_field = ValueList::valueAt(m_values, m_index);
    update();
}

int UxSubMenuValue::direction(EnumKey key) {
    switch (key) {
        case EnumKey::Left:
        case EnumKey::Down:
            return -1;
        case EnumKey::Right:
        case EnumKey::Up:
            return 1;
        default:
            return 0;
    }
}

void UxSubMenuValue::keyRepeated(EnumKey key, int steps) {
    slot_valueChanged(ValueList::step(m_index, direction(key) * steps, m_values.size()));
}

void UxSubMenuValue::keyClicked(EnumKey key) {
    if (direction(key) != 0) {
        keyTone();
        keyRepeated(key, 1);
    } else if (isEscapeOrMenu(key)) {
        keyTone();
        if (m_field) *m_field = m_oldValue;
        hide();
    } else if (key == EnumKey::Enter) {
        keyTone();
        hide();
        emit signal_keyClick_ok();
    }
}

void UxSubMenuValue::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    const int f = UxTheme::kFrameWidth;
    m_title->setGeometry(f, f, width() - 2 * f, UxTheme::kTitleHeight);
    layOut();
}

QRect UxSubMenuValue::trackRect() const {
    const int f = UxTheme::kFrameWidth;
    return QRect(f + kArrowRoom, height() - f - kTrackHeight - 1, width() - 2 * (f + kArrowRoom),
                 kTrackHeight);
}

QRect UxSubMenuValue::valueBox() const {
    const int f = UxTheme::kFrameWidth;
    const int top = f + UxTheme::kTitleHeight;
    return QRect(f + kArrowRoom, top, width() - 2 * (f + kArrowRoom), trackRect().top() - top);
}

void UxSubMenuValue::layOut() {
    m_fields.clear();
    m_fields.label(
        valueBox(), [this] { return shownText(); }, Qt::AlignHCenter);
}

QVector<StructTextBox> UxSubMenuValue::textBoxes() const {
    return m_fields.textBoxes(m_title);
}

void UxSubMenuValue::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    UxTheme::drawPanel(p, rect());
    m_fields.paint(p);

    // Arrows only where the value can still move.
    const int n = m_values.size();
    const int cy = valueBox().center().y();
    p.setPen(Qt::NoPen);
    auto arrow = [&](int tipX, int baseX, bool active) {
        p.setBrush(active ? UxTheme::kSelect : UxTheme::kTrack);
        QPolygon shape;
        shape << QPoint(tipX, cy) << QPoint(baseX, cy - 7) << QPoint(baseX, cy + 7);
        p.drawPolygon(shape);
    };
    const int f = UxTheme::kFrameWidth;
    arrow(f + 5, f + 16, m_index > 0);
    arrow(width() - f - 6, width() - f - 17, m_index < n - 1);

    const QRect track = trackRect();
    p.fillRect(track, UxTheme::kTrack);
    if (n > 1 && m_index >= 0) {
        const int filled = track.width() * m_index / (n - 1);
        p.fillRect(QRect(track.left(), track.top(), filled, track.height()), UxTheme::kSelect);
        p.setBrush(UxTheme::kSelect);
        p.drawEllipse(QPoint(track.left() + filled, track.center().y()), 4, 4);
    }
}

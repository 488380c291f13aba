#include "ui/ux_sub_menu_value.h"

#include "ui/ux_theme.h"
#include "ui/ux_title_bar.h"
#include "ui/value_list.h"

#include <QKeyEvent>
#include <QPainter>

namespace {
constexpr int kTrackHeight = 4;
constexpr int kArrowRoom = 22;
}  // namespace

UxSubMenuValue::UxSubMenuValue(QWidget* parent) : UxKeyWidget(parent) {
    m_title = new UxTitleBar(this);
    KeyRepeat::StructSchedule schedule;
    schedule.firstTick = 6;
    schedule.every = 2;
    schedule.accelTick = 26;
    schedule.factor = kAccelFactor;
    setRepeatSchedule(schedule);
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

int UxSubMenuValue::direction(int key) {
    switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Down:
            return -1;
        case Qt::Key_Right:
        case Qt::Key_Up:
            return 1;
        default:
            return 0;
    }
}

bool UxSubMenuValue::isRepeatKey(int key) const {
    return direction(key) != 0;
}

void UxSubMenuValue::repeatKey(int key, int steps) {
    slot_valueChanged(ValueList::step(m_index, direction(key) * steps, m_values.size()));
}

void UxSubMenuValue::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (!acceptPress(event)) return;
    const int key = event->key();
    if (direction(key) != 0) {
        keyTone();
        repeatKey(key, 1);
    } else if (key == Qt::Key_Escape || key == Qt::Key_M) {
        keyTone();
        if (m_field) *m_field = m_oldValue;
        hide();
    } else if (key == Qt::Key_Enter || key == Qt::Key_Return) {
        keyTone();
        hide();
        emit signal_keyClick_ok();
    }
}

void UxSubMenuValue::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    const int f = UxTheme::kFrameWidth;
    m_title->setGeometry(f, f, width() - 2 * f, UxTheme::kTitleHeight);
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

QVector<StructTextBox> UxSubMenuValue::textBoxes() const {
    QVector<StructTextBox> boxes;
    for (StructTextBox b : m_title->textBoxes()) {
        b.box.translate(m_title->pos());
        boxes.append(b);
    }
    if (m_index >= 0) boxes.append({shownText(), valueBox(), UxTheme::font()});
    return boxes;
}

void UxSubMenuValue::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    UxTheme::drawPanel(p, rect());
    p.setFont(UxTheme::font());
    const QRect box = valueBox();
    UxTheme::drawText(p, box, shownText(), UxTheme::kInk, Qt::AlignHCenter);

    // Arrows only where the value can still move.
    const int n = m_values.size();
    const int cy = box.center().y();
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

#include "ui/kit/ux_line_editor.h"

#include "ui/kit/ux_theme.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>

namespace {
constexpr int kMargin = 8;
constexpr int kArrowHeight = 9;
constexpr int kCellPad = 3;
constexpr int kRepeatTickMs = 125;  // the pace of the main tick
}  // namespace

UxLineEditor::UxLineEditor(QWidget* parent) : UxKeyWidget(parent) {
    KeyInput::StructRepeat schedule;
    schedule.firstTick = 6;
    schedule.every = 1;
    setRepeat({EnumKey::Up, EnumKey::Down}, schedule);
    resize(252, 64);
    m_repeatTimer.setInterval(kRepeatTickMs);
    connect(&m_repeatTimer, &QTimer::timeout, this, &UxLineEditor::do_timer);
}

void UxLineEditor::hideEvent(QHideEvent* event) {
    m_repeatTimer.stop();
    UxKeyWidget::hideEvent(event);
}

void UxLineEditor::showLineEditor(const QString& text, const QStringList& charSets,
                                  const QString& side) {
    showLineEditor(nullptr, text, charSets, side);
}

void UxLineEditor::showLineEditor(QLineEdit* target, const QString& text,
                                  const QStringList& charSets, const QString& side) {
    m_target = target;
    m_model.start(
        text, charSets,
        side == QLatin1String("right") ? CharEditModel::SideRight : CharEditModel::SideLeft);
    // Every cell is as wide as the widest character that can appear in it, so the text does
    // not jump while it is edited.
    const QFontMetrics metrics(UxTheme::font());
    m_cellWidths.clear();
    int needed = 2 * kMargin;
    for (int i = 0; i < text.size(); ++i) {
        int widest = metrics.horizontalAdvance(text.at(i));
        for (const QChar c : m_model.charSet(i))
            widest = qMax(widest, metrics.horizontalAdvance(c));
        m_cellWidths << widest + 2 * kCellPad;
        needed += m_cellWidths.last();
    }
    if (needed > width()) {
        const int room = parentWidget() ? parentWidget()->width() : needed;
        resize(qMin(needed, room), height());
    }
    keepInsideParent();
    setArrowPosition();
    show();
    m_repeatTimer.start();
}

QRect UxLineEditor::cellRect(int position) const {
    int total = 0;
    int before = 0;
    for (int i = 0; i < m_cellWidths.size(); ++i) {
        if (i == position) before = total;
        total += m_cellWidths.at(i);
    }
    const int left = (width() - total) / 2;
    const int top = UxTheme::kFrameWidth + 4;
    const int h = height() - top - kArrowHeight - UxTheme::kFrameWidth - 4;
    return QRect(left + before, top, m_cellWidths.value(position), h);
}

void UxLineEditor::setArrowPosition() {
    m_arrowX = cellRect(m_model.cursor()).center().x();
    update();
}

QVector<StructTextBox> UxLineEditor::textBoxes() const {
    QVector<StructTextBox> boxes;
    const QString t = m_model.text();
    for (int i = 0; i < t.size(); ++i) {
        if (t.at(i) != QLatin1Char(' '))
            boxes.append({QString(t.at(i)), cellRect(i), UxTheme::font()});
    }
    return boxes;
}

void UxLineEditor::keyRepeated(EnumKey key, int steps) {
    for (int i = 0; i < steps; ++i) {
        if (key == EnumKey::Up) m_model.up();
        if (key == EnumKey::Down) m_model.down();
    }
    update();
}

void UxLineEditor::keyClicked(EnumKey key) {
    switch (key) {
        case EnumKey::Up:
        case EnumKey::Down:
            keyTone();
            keyRepeated(key, 1);
            break;
        case EnumKey::Left:
            keyTone();
            m_model.left();
            setArrowPosition();
            break;
        case EnumKey::Right:
            keyTone();
            m_model.right();
            setArrowPosition();
            break;
        case EnumKey::Enter:
            keyTone();
            if (m_target) m_target->setText(m_model.text());
            emit signal_editorConfirm(m_model.text());
            hide();
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            keyTone();
            hide();
            break;
        default:
            break;
    }
}

void UxLineEditor::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    UxTheme::drawPanel(p, rect());
    p.setFont(UxTheme::font());
    const QString t = m_model.text();
    for (int i = 0; i < t.size(); ++i) {
        const QRect cell = cellRect(i);
        const bool current = i == m_model.cursor();
        const bool editable = m_model.isEditable(i);
        if (current) {
            p.fillRect(cell, UxTheme::kSelect);
        } else if (editable) {
            p.fillRect(cell.adjusted(1, 0, -1, 0), UxTheme::kTrack);
        }
        p.setPen(current ? UxTheme::kSelectInk : (editable ? UxTheme::kInk : UxTheme::kFixedInk));
        p.drawText(cell, Qt::AlignCenter, QString(t.at(i)));
    }
    // The cursor mark: a triangle under the current position.
    const int y = cellRect(0).bottom() + 2;
    QPolygon mark;
    mark << QPoint(m_arrowX, y) << QPoint(m_arrowX - 7, y + kArrowHeight)
         << QPoint(m_arrowX + 7, y + kArrowHeight);
    p.setPen(Qt::NoPen);
    p.setBrush(UxTheme::kSelect);
    p.drawPolygon(mark);
}

#include "ui/kit/ux_list_widget.h"

#include "ui/kit/ux_theme.h"
#include "ui/kit/ux_title_bar.h"

#include <QPainter>

namespace {
constexpr int kScrollWidth = 6;
constexpr int kMarkWidth = 26;
}  // namespace

UxListWidget::UxListWidget(EnumMark mark, bool withTitle, QWidget* parent)
    : UxKeyWidget(parent), m_mark(mark) {
    if (withTitle) m_title = new UxTitleBar(this);
    KeyInput::StructRepeat schedule;
    schedule.firstTick = 6;
    schedule.every = 1;
    setRepeat({EnumKey::Up, EnumKey::Down}, schedule);
    m_cursor.reset(0, 1);
}

QString UxListWidget::getTitle() const {
    return m_title ? m_title->getTitle() : QString();
}

void UxListWidget::setRows(const QStringList& rows, const QVector<QPixmap>& icons) {
    m_rows = rows;
    m_icons = icons;
    m_checked = QVector<bool>(rows.size(), false);
    m_cursor.reset(rows.size(), visibleFor(height()));
    update();
}

void UxListWidget::setChecked(int row, bool checked) {
    if (row < 0 || row >= m_checked.size()) return;
    m_checked[row] = checked;
    update();
}

bool UxListWidget::selectRow(int row) {
    const bool done = m_cursor.select(row);
    update();
    return done;
}

void UxListWidget::setRowEnabled(int row, bool enabled) {
    m_cursor.setEnabled(row, enabled);
    update();
}

void UxListWidget::setRowHeight(int height) {
    m_rowHeight = qMax(1, height);
    relayout();
}

void UxListWidget::setTextRoom(int width) {
    m_textRoom = width;
}

int UxListWidget::heightForRows(int rows) const {
    return 2 * UxTheme::kFrameWidth + (m_title ? UxTheme::kTitleHeight : 0) + rows * m_rowHeight;
}

QRect UxListWidget::rowsArea() const {
    const int f = UxTheme::kFrameWidth;
    QRect area = rect().adjusted(f, f, -f, -f);
    if (m_title) area.setTop(area.top() + UxTheme::kTitleHeight);
    return area;
}

int UxListWidget::visibleFor(int widgetHeight) const {
    const int rowsHeight =
        widgetHeight - 2 * UxTheme::kFrameWidth - (m_title ? UxTheme::kTitleHeight : 0);
    return qMax(1, rowsHeight / m_rowHeight);
}

bool UxListWidget::needsScroll() const {
    return m_rows.size() > m_cursor.visibleRows();
}

int UxListWidget::markWidth() const {
    return (m_mark == MarkRadio || m_mark == MarkCheck) ? kMarkWidth : 0;
}

QRect UxListWidget::rowRect(int row) const {
    const int top = m_cursor.top();
    if (row < top || row >= top + m_cursor.visibleRows() || row >= m_rows.size()) return QRect();
    const QRect area = rowsArea();
    const int width = area.width() - (needsScroll() ? kScrollWidth : 0);
    return QRect(area.left(), area.top() + (row - top) * m_rowHeight, width, m_rowHeight);
}

QRect UxListWidget::rowTextBox(int row) const {
    const QRect r = rowRect(row);
    if (!r.isValid() || m_mark == MarkIcon) return QRect();
    QRect box = r.adjusted(markWidth() + UxTheme::kTextPad, 0, -UxTheme::kTextPad, 0);
    if (m_textRoom > 0 && box.width() > m_textRoom) box.setWidth(m_textRoom);
    return box;
}

QVector<StructTextBox> UxListWidget::textBoxes() const {
    QVector<StructTextBox> boxes;
    if (m_title) {
        for (StructTextBox b : m_title->textBoxes()) {
            b.box.translate(m_title->pos());
            boxes.append(b);
        }
    }
    for (int row = 0; row < m_rows.size(); ++row) {
        const QRect box = rowTextBox(row);
        if (box.isValid() && !m_rows.at(row).isEmpty())
            boxes.append({m_rows.at(row), box,
                          UxTheme::fitFont(UxTheme::font(), m_rows.at(row), box.width())});
    }
    return boxes;
}

void UxListWidget::relayout() {
    if (m_title) {
        const int f = UxTheme::kFrameWidth;
        m_title->setGeometry(f, f, width() - 2 * f, UxTheme::kTitleHeight);
    }
    const int visible = visibleFor(height());
    if (visible != m_cursor.visibleRows()) {
        const int current = m_cursor.current();
        QVector<bool> enabled;
        for (int r = 0; r < m_rows.size(); ++r)
            enabled.append(m_cursor.isEnabled(r));
        m_cursor.reset(m_rows.size(), visible);
        for (int r = 0; r < enabled.size(); ++r)
            m_cursor.setEnabled(r, enabled.at(r));
        m_cursor.select(current);
    }
}

bool UxListWidget::keyUp(int steps) {
    const bool moved = m_cursor.up(steps);
    if (moved) {
        update();
        cursorMoved();
    }
    return true;
}

bool UxListWidget::keyDown(int steps) {
    const bool moved = m_cursor.down(steps);
    if (moved) {
        update();
        cursorMoved();
    }
    return true;
}

bool UxListWidget::keyOther(EnumKey) {
    return false;
}

void UxListWidget::keyClicked(EnumKey key) {
    bool handled = true;
    switch (key) {
        case EnumKey::Up:
            handled = keyUp(1);
            break;
        case EnumKey::Down:
            handled = keyDown(1);
            break;
        case EnumKey::Enter:
            keyEnter();
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            keyClose();
            break;
        default:
            handled = keyOther(key);
            break;
    }
    if (handled) keyTone();
}

void UxListWidget::keyRepeated(EnumKey key, int steps) {
    if (key == EnumKey::Up) keyUp(steps);
    if (key == EnumKey::Down) keyDown(steps);
}

void UxListWidget::resizeEvent(QResizeEvent* event) {
    UxKeyWidget::resizeEvent(event);
    relayout();
}

void UxListWidget::paintRow(QPainter& p, int row) const {
    const QRect r = rowRect(row);
    const bool selected = row == m_cursor.current();
    const bool enabled = m_cursor.isEnabled(row);
    if (selected) p.fillRect(r.adjusted(1, 1, -1, -1), UxTheme::kSelect);
    const QColor ink =
        selected ? UxTheme::kSelectInk : (enabled ? UxTheme::kInk : UxTheme::kDisabledInk);

    if (m_mark == MarkIcon) {
        const QPixmap icon = m_icons.value(row);
        if (!icon.isNull()) {
            const QSize size = icon.size().scaled(r.size() - QSize(6, 6), Qt::KeepAspectRatio);
            QRect target(QPoint(0, 0), size.boundedTo(icon.size()));
            target.moveCenter(r.center());
            p.drawPixmap(target, icon);
        } else {
            // A stand-in when the icon is missing: the choice's number.
            p.setPen(ink);
            p.drawText(r, Qt::AlignCenter, QString::number(row + 1));
        }
        return;
    }
    if (m_mark != MarkNone) {
        const int side = 14;
        QRect box(0, 0, side, side);
        box.moveCenter(QPoint(r.left() + kMarkWidth / 2 + 1, r.center().y()));
        p.setPen(QPen(ink, 2));
        p.setBrush(Qt::NoBrush);
        if (m_mark == MarkRadio) {
            p.drawEllipse(box);
            if (m_checked.value(row)) {
                p.setBrush(ink);
                p.drawEllipse(box.adjusted(4, 4, -4, -4));
            }
        } else {
            p.drawRect(box);
            if (m_checked.value(row)) {
                QPolygon tick;
                tick << QPoint(box.left() + 3, box.center().y())
                     << QPoint(box.center().x() - 1, box.bottom() - 3)
                     << QPoint(box.right() - 2, box.top() + 3);
                p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
                p.drawPolyline(tick);
            }
        }
    }
    UxTheme::drawText(p, rowTextBox(row), m_rows.at(row), ink);
}

void UxListWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    UxTheme::drawPanel(p, rect());
    p.setFont(UxTheme::font());
    const int top = m_cursor.top();
    const int last = qMin(m_rows.size(), top + m_cursor.visibleRows());
    for (int row = top; row < last; ++row)
        paintRow(p, row);
    if (needsScroll()) {
        const QRect area = rowsArea();
        const QRect track(area.right() - kScrollWidth + 2, area.top() + 2, kScrollWidth - 3,
                          area.height() - 4);
        p.fillRect(track, UxTheme::kTrack);
        const int n = m_rows.size();
        const int thumbH = qMax(12, track.height() * m_cursor.visibleRows() / n);
        const int range = qMax(1, n - m_cursor.visibleRows());
        const int thumbY = track.top() + (track.height() - thumbH) * top / range;
        p.fillRect(QRect(track.left(), thumbY, track.width(), thumbH), UxTheme::kFrame);
    }
}

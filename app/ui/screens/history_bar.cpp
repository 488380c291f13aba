#include "ui/screens/history_bar.h"

#include "ui/kit/ux_theme.h"

#include <QPainter>

namespace {
constexpr int kLine = 17;
constexpr int kPad = 3;
constexpr int kFontPx = 15;
// 3 ticks (0.4 s) before a held arrow repeats, then 1 frame a tick, 5 a tick after 2 s.
constexpr KeyInput::StructRepeat kArrowRepeat{3, 1, 16, 5};
constexpr int kSkipSeconds = 10;
constexpr int kLongSkipSeconds = 60;
const QColor kCursorInk(255, 212, 0);
}  // namespace

UxHistoryBar::UxHistoryBar(QWidget* parent) : UxKeyWidget(parent) {
    setRepeat({EnumKey::Left, EnumKey::Right}, kArrowRepeat);
    m_cursor = new QWidget(parent);
    m_cursor->setAutoFillBackground(true);
    QPalette palette = m_cursor->palette();
    palette.setColor(QPalette::Window, kCursorInk);
    m_cursor->setPalette(palette);
    m_cursor->hide();
    hide();
}

void UxHistoryBar::showBar(const QRect& echogram) {
    m_echogram = echogram;
    setGeometry(echogram.x(), echogram.bottom() + 1 - kHeight, echogram.width(), kHeight);
    show();
    raise();
    placeCursor();
    setFocus();
}

void UxHistoryBar::setView(const StructHistoryBarView& view) {
    m_view = view;
    placeCursor();
    update();
}

void UxHistoryBar::placeCursor() {
    const bool shown = isVisible() && m_view.cursorColumn >= 0;
    m_cursor->setVisible(shown);
    if (!shown) return;
    m_cursor->setGeometry(m_echogram.x() + m_view.cursorColumn - 1, m_echogram.y(), 2,
                          m_echogram.height() - kHeight);
    m_cursor->raise();
}

void UxHistoryBar::hideEvent(QHideEvent* event) {
    m_cursor->hide();
    UxKeyWidget::hideEvent(event);
}

void UxHistoryBar::arrow(EnumKey key, int steps) {
    const int sign = key == EnumKey::Left ? -1 : 1;
    if (m_view.replay && !m_view.paused) {
        emit signal_skip(sign * kSkipSeconds * steps);
    } else {
        emit signal_step(sign * steps);
    }
}

void UxHistoryBar::keyClicked(EnumKey key) {
    switch (key) {
        case EnumKey::Left:
        case EnumKey::Right:
            arrow(key, 1);
            break;
        case EnumKey::Up:
        case EnumKey::Down:
            if (m_view.replay)
                emit signal_skip(key == EnumKey::Up ? kLongSkipSeconds : -kLongSkipSeconds);
            break;
        case EnumKey::Enter:
            if (m_view.replay) {
                emit signal_commands();
            } else {
                emit signal_mark();
            }
            break;
        case EnumKey::Change:
            if (m_view.replay) emit signal_playPause();
            break;
        case EnumKey::Zoom:
            if (m_view.replay) emit signal_nextSpeed();
            break;
        case EnumKey::Escape:
        case EnumKey::Menu:
            emit signal_leave();
            break;
        default:
            return;
    }
    keyTone();
}

void UxHistoryBar::keyRepeated(EnumKey key, int steps) {
    if (key == EnumKey::Left || key == EnumKey::Right) arrow(key, steps);
}

QRect UxHistoryBar::progressBox() const {
    return QRect(kPad, kPad + 2 * kLine + 2, width() - 2 * kPad,
                 kHeight - 2 * kLine - 2 * kPad - 2);
}

QVector<UxHistoryBar::StructLine> UxHistoryBar::lines() const {
    const int w = width() - 2 * kPad;
    const int third = w / 3;
    const QRect progress = progressBox();
    const int stateWidth = m_view.playState.isEmpty() ? 0 : 62;
    return {
        {QRect(kPad, kPad, third, kLine), m_view.time, Qt::AlignLeft},
        {QRect(kPad + third, kPad, third, kLine), m_view.depth, Qt::AlignHCenter},
        {QRect(kPad + 2 * third, kPad, w - 2 * third, kLine), m_view.temperature, Qt::AlignRight},
        {QRect(kPad, kPad + kLine, w, kLine), m_view.position, Qt::AlignHCenter},
        {progress.adjusted(0, 0, -stateWidth, 0), m_view.progressText, Qt::AlignHCenter},
        {QRect(progress.right() - stateWidth + 1, progress.y(), stateWidth, progress.height()),
         m_view.playState, Qt::AlignRight},
    };
}

QVector<StructTextBox> UxHistoryBar::textBoxes() const {
    QVector<StructTextBox> out;
    for (const StructLine& l : lines()) {
        if (!l.text.isEmpty())
            out.append(
                {l.text, l.box, UxTheme::fitFont(UxTheme::font(kFontPx), l.text, l.box.width())});
    }
    return out;
}

void UxHistoryBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    UxTheme::drawPanel(p, rect());
    const QVector<StructLine> all = lines();
    const QRect bar = all[4].box;
    p.fillRect(bar, UxTheme::kTrack);
    const double done = std::clamp(m_view.progress, 0.0, 1.0);
    p.fillRect(QRect(bar.x(), bar.y(), int(bar.width() * done), bar.height()), UxTheme::kFrame);
    p.setFont(UxTheme::font(kFontPx));
    for (const StructLine& l : all)
        UxTheme::drawText(p, l.box, l.text, UxTheme::kInk, l.flags | Qt::AlignVCenter);
}

#include "ui/screens/history_bar.h"

#include "base/tr_resource.h"
#include "ui/kit/ux_theme.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr int kLine = 22;
constexpr int kPad = 3;
// 3 ticks (0.4 s) before a held arrow repeats, then 1 frame a tick, 5 a tick after 2 s.
constexpr KeyInput::StructRepeat kArrowRepeat{3, 1, 16, 5};
constexpr int kSkipSeconds = 10;
constexpr int kLongSkipSeconds = 60;
const QColor kCursorInk(255, 212, 0);

// The cursor's line over the echogram, drawn by itself: the screen's style sheet leaves a
// plain widget's background alone.
class CursorLine : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), kCursorInk); }
};
}  // namespace

QStringList HistoryCommands::rows(bool reverse) {
    const auto tr = [](EnumTrString id) { return TrResource::getTrString(id); };
    QStringList out{tr(TR_MarkWaypoint),
                    tr(TR_Reverse) + QStringLiteral(": ") + tr(reverse ? TR_On : TR_Off)};
    for (int i = 0; i < kJumps; ++i)
        out << tr(TR_JumpTo) + QStringLiteral(" %1%").arg(i * 10);
    return out;
}

UxHistoryBar::UxHistoryBar(QWidget* parent) : UxKeyWidget(parent) {
    setRepeat({EnumKey::Left, EnumKey::Right}, kArrowRepeat);
    m_cursor = new CursorLine(parent);
    m_cursor->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_cursor->hide();
    hide();
}

void UxHistoryBar::showBar(const QRect& echogram) {
    m_echogram = echogram;
    // Under the echogram where the screen has room, over its foot where it fills the screen.
    const QWidget* screen = parentWidget();
    const bool below = screen && echogram.bottom() + kHeight < screen->height();
    setGeometry(echogram.x(), below ? echogram.bottom() + 1 : echogram.bottom() + 1 - kHeight,
                echogram.width(), kHeight);
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
    const int foot = std::min(m_echogram.bottom() + 1, y());
    m_cursor->setGeometry(m_echogram.x() + m_view.cursorColumn - 1, m_echogram.y(), 2,
                          foot - m_echogram.y());
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
    return QRect(kPad, kPad + 3 * kLine, width() - 2 * kPad, kLine);
}

// Time, depth and temperature; the latitude with the replay's state; the longitude; the
// progress bar with its text.
QVector<UxHistoryBar::StructLine> UxHistoryBar::lines() const {
    const int w = width() - 2 * kPad;
    const int third = w / 3;
    const auto line = [w](int n, int from, int width) {
        return QRect(kPad + from, kPad + n * kLine, width < 0 ? w - from : width, kLine);
    };
    return {
        {line(0, 0, third), m_view.time, Qt::AlignLeft},
        {line(0, third, third), m_view.depth, Qt::AlignHCenter},
        {line(0, 2 * third, -1), m_view.temperature, Qt::AlignRight},
        {line(1, 0, -1), m_view.latitude, Qt::AlignLeft},
        {line(2, 0, -1), m_view.longitude, Qt::AlignLeft},
        {progressBox(), m_view.progressText, Qt::AlignHCenter},
        {line(1, w / 2, -1), m_view.playState, Qt::AlignRight},
    };
}

QVector<StructTextBox> UxHistoryBar::textBoxes() const {
    QVector<StructTextBox> out;
    for (const StructLine& l : lines()) {
        if (!l.text.isEmpty()) out.append({l.text, l.box, UxTheme::font()});
    }
    return out;
}

void UxHistoryBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    UxTheme::drawPanel(p, rect());
    const QVector<StructLine> all = lines();
    const QRect bar = progressBox();
    p.fillRect(bar, UxTheme::kTrack);
    const double done = std::clamp(m_view.progress, 0.0, 1.0);
    p.fillRect(QRect(bar.x(), bar.y(), int(bar.width() * done), bar.height()), UxTheme::kFrame);
    p.setFont(UxTheme::font());
    for (const StructLine& l : all)
        UxTheme::drawText(p, l.box, l.text, UxTheme::kInk, l.flags | Qt::AlignVCenter);
}

#pragma once

#include "ui/kit/ux_key_widget.h"

#include <QString>
#include <QStringList>

// What the history bar shows: the cursor column's values and where it stands in what is kept
// (live) or in the log (replay).
struct StructHistoryBarView {
    bool replay = false;
    bool paused = true;
    QString time;   // the column's time of day
    QString depth;  // with its unit
    QString temperature;
    QString latitude;
    QString longitude;
    double progress = 1;    // 0..1: the cursor's (or the replay's) place
    QString progressText;   // "-00:07" live, "12:34 / 60:00" replay
    QString playState;      // "x2" with the direction and pause marks
    int cursorColumn = -1;  // echogram column under the cursor; -1 hides it
};

// The rows of the replay's command list, in the language of the moment: "Mark Waypoint",
// "Reverse: ON/OFF", then "Jump to 0%" .. "Jump to 90%".
namespace HistoryCommands {
enum EnumRow { RowMark, RowReverse, RowFirstJump };
constexpr int kJumps = 10;
QStringList rows(bool reverse);
}  // namespace HistoryCommands

// The bar under the echogram (over its foot when it fills the screen) while the sonar history
// is browsed, with the cursor line over the column it describes. It holds the keys while it is
// shown:
//   live:   left/right move the cursor (held: faster and faster), enter marks, esc/menu leave;
//   replay: "change" pauses and plays, left/right move the cursor while paused and skip 10 s
//           while playing, up/down skip a minute, "zoom" changes the speed, enter opens the
//           replay's commands, esc/menu close the bar.
class UxHistoryBar : public UxKeyWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 4 * 22 + 6;

    explicit UxHistoryBar(QWidget* parent = nullptr);

    // echogram: the echogram's rectangle in the parent's coordinates.
    void showBar(const QRect& echogram);
    void setView(const StructHistoryBarView& view);
    const StructHistoryBarView& view() const { return m_view; }
    QVector<StructTextBox> textBoxes() const override;

signals:
    void signal_step(int frames);  // the cursor, negative back
    void signal_skip(int seconds);
    void signal_mark();
    void signal_playPause();
    void signal_nextSpeed();
    void signal_commands();
    void signal_leave();

protected:
    void keyClicked(EnumKey key) override;
    void keyRepeated(EnumKey key, int steps) override;
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct StructLine {
        QRect box;
        QString text;
        int flags;
    };
    QVector<StructLine> lines() const;
    QRect progressBox() const;
    void placeCursor();
    void arrow(EnumKey key, int steps);

    StructHistoryBarView m_view;
    QRect m_echogram;
    QWidget* m_cursor = nullptr;
};

#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

// What an alert strip says: its lines, the first one larger, on a ground that tells the kind
// of alert at a glance (red for a lost link, green for its return, amber for a stale fix).
struct StructAlertStripView {
    QStringList lines;  // none: the strip is hidden
    QColor ground;
    QColor ink;
};

// A strip of lines laid over the screen that never takes a key, so the angler can go on
// steering and using the menus while it is shown. Each line is fitted to the strip's width.
class UxAlertStrip : public QWidget {
public:
    static constexpr int kLine = 22;
    static constexpr int kPad = 3;

    explicit UxAlertStrip(QWidget* parent = nullptr);

    // The strip at place (its width; the height follows from the lines), or hidden.
    void setView(const StructAlertStripView& view, const QPoint& place, int width);
    const StructAlertStripView& view() const { return m_view; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    StructAlertStripView m_view;
};

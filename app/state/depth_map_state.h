#pragma once

#include "base/configuration.h"
#include "link/kvl_frame.h"
#include "navi/depth_contours.h"
#include "navi/depth_grid.h"
#include "navi/sounding_gate.h"

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

class Prompter;

// How the map shows the depth map.
struct StructDepthMapView {
    bool shading = true;
    bool contours = true;
    int intervalIndex = 1;  // into DepthMapState::kIntervals
};

// The files of an export: name (a handset path) and contents.
using DepthMapFiles = QVector<QPair<QString, QByteArray>>;

// The lake's depth map as the handset keeps it: the boat's own soundings, taken from live
// frames through the sounding gate and the five-frame median into the grid, read at start and
// written atomically every few minutes when it changed, at power-off and after a change the
// user made. The map view and the menus read it; it never blocks on the radio.
class DepthMapState {
public:
    static constexpr float kIntervals[] = {0.5f, 1.0f, 2.0f, 5.0f};
    static constexpr int kIntervalCount = 4;
    static constexpr qint64 kSaveEveryMs = 5 * 60 * 1000;
    static constexpr const char* kViewPath = "/opt/depthmap.kds";

    explicit DepthMapState(Prompter& prompter, const QString& gridPath = QString(),
                           const QString& viewPath = QString());

    // Reads the grid and the view settings; a damaged grid file is reported once.
    void load();
    // A frame as the boat sent it (never a replayed or simulated one).
    void takeFrame(const kvl_w& frame, const StructConfiguration& cfg, qint64 nowMs);
    // Writes a changed grid when it is due.
    void tick(qint64 nowMs);
    // Writes a changed grid now; false when that failed (it is tried again later).
    bool save();

    // Asks, then empties the map and writes the empty map.
    void askClear();
    // The soundings of a sonar log; reports how many were added. Returns that count.
    int addLog(const QString& path, const StructConfiguration& cfg);
    // The CSV of the cells and the KML of the isobaths at the chosen interval; none when the
    // map is empty (reported).
    DepthMapFiles exportFiles(uint32_t boatTime);

    const DepthGrid& grid() const { return m_grid; }
    // Grows with every change of the grid, so a view knows when to redraw.
    quint64 revision() const { return m_revision; }
    // The cells changed since the last call.
    QRect takeChanged() { return m_grid.takeChanged(); }

    const StructDepthMapView& view() const { return m_view; }
    void setView(const StructDepthMapView& view);
    float intervalMetres() const;

private:
    void feed(const StructSounding& s);
    void saveView() const;

    Prompter& m_prompter;
    QString m_gridPath;
    QString m_viewPath;
    DepthGrid m_grid;
    SoundingGate m_gate;
    SoundingMedian m_median;
    StructDepthMapView m_view;
    quint64 m_revision = 0;
    qint64 m_lastSaveMs = -1;
};

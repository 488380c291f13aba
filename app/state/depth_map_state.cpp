#include "state/depth_map_state.h"

#include "base/ini_file.h"
#include "base/log.h"
#include "base/tr_resource.h"
#include "data/depth_map_export.h"
#include "data/depth_map_file.h"
#include "data/kvlw_time.h"
#include "link/history_log_reader.h"
#include "link/sonar_frame_values.h"
#include "platform/platform.h"
#include "state/prompter.h"

#include <QDateTime>
#include <QSettings>
#include <algorithm>

namespace {

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

// The frame's own time, for a log: seconds of its UTC word.
qint64 frameMs(const StructSonarFrameFields& f) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(f.utc);
    const QDateTime when(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second), Qt::UTC);
    return when.isValid() ? when.toMSecsSinceEpoch() : 0;
}

}  // namespace

DepthMapState::DepthMapState(Prompter& prompter, const QString& gridPath, const QString& viewPath)
    : m_prompter(prompter),
      m_gridPath(gridPath.isEmpty() ? QString::fromLatin1(DepthMapFile::kPath) : gridPath),
      m_viewPath(viewPath.isEmpty() ? QString::fromLatin1(kViewPath) : viewPath) {}

void DepthMapState::load() {
    if (DepthMapFile::load(Platform::path(m_gridPath), &m_grid) == DepthMapFile::EnumLoad::Damaged)
        m_prompter.hint(EnumHintCode::DepthMapSetAside, trText(TR_DepthMapSetAside));
    ++m_revision;
    // Read without the settings class, which would decode any serialised value it met.
    const IniFile s(Platform::path(m_viewPath));
    const auto flag = [&s](const char* key) {
        return s.value(QLatin1String(key)).toString() != QLatin1String("false");
    };
    m_view.shading = flag("shading");
    m_view.contours = flag("contours");
    bool ok = false;
    const int index = s.value(QStringLiteral("interval")).toString().toInt(&ok);
    m_view.intervalIndex = ok && index >= 0 && index < kIntervalCount ? index : 1;
}

void DepthMapState::feed(const StructSounding& s) {
    StructSounding filtered;
    if (!m_median.push(s, &filtered)) return;
    if (m_grid.add(filtered.where, filtered.depthMetres) == DepthGrid::EnumAdd::Added) ++m_revision;
}

void DepthMapState::takeFrame(const kvl_w& frame, const StructConfiguration& cfg, qint64 nowMs) {
    if (frame.bytes[0] != '#') return;
    StructSounding s;
    if (m_gate.take(SonarFrameValues::fields(frame), cfg.depthOffset, cfg.gpsFilter, nowMs, &s) ==
        EnumSoundingVerdict::Taken)
        feed(s);
}

void DepthMapState::tick(qint64 nowMs) {
    if (m_lastSaveMs < 0) m_lastSaveMs = nowMs;
    if (!m_grid.unsaved() || nowMs - m_lastSaveMs < kSaveEveryMs) return;
    m_lastSaveMs = nowMs;
    save();
}

bool DepthMapState::save() {
    if (!m_grid.unsaved()) return true;
    if (!DepthMapFile::save(Platform::path(m_gridPath), m_grid)) {
        qCWarning(lcCore).noquote() << "depth map: cannot write" << m_gridPath
                                    << "; the map stays in memory and is written again later";
        return false;
    }
    m_grid.markSaved();
    return true;
}

void DepthMapState::askClear() {
    m_prompter.ask({EnumDialogKind::ClearDepthMap, trText(TR_ClearDepthMap),
                    trText(TR_ClearDepthMapQuestion), trText(TR_No), trText(TR_Yes)},
                   [this](EnumAnswer a) {
                       if (a != EnumAnswer::Right) return;
                       m_grid.clear();
                       m_gate.reset();
                       m_median.reset();
                       ++m_revision;
                       save();
                   });
}

int DepthMapState::addLog(const QString& path, const StructConfiguration& cfg) {
    const QVector<kvl_w> frames = HistoryLogReader::framesFromFile(Platform::path(path));
    const int before = m_grid.filledCells();
    const quint64 revision = m_revision;
    // A log is its own run: its positions are not compared with the live boat's.
    SoundingGate gate;
    m_median.reset();
    int taken = 0;
    for (const kvl_w& frame : frames) {
        const StructSonarFrameFields f = SonarFrameValues::fields(frame);
        StructSounding s;
        if (gate.take(f, cfg.depthOffset, cfg.gpsFilter, frameMs(f), &s) !=
            EnumSoundingVerdict::Taken)
            continue;
        ++taken;
        feed(s);
    }
    m_median.reset();
    qCInfo(lcCore).noquote() << "depth map:" << path << frames.size() << "frames," << taken
                             << "soundings," << m_grid.filledCells() - before << "new cells";
    if (m_revision == revision) {
        m_prompter.hint(EnumHintCode::DepthMapLogEmpty, trText(TR_NoUsablePoints));
        return 0;
    }
    save();
    m_prompter.message(trText(TR_DepthMap),
                       QString::number(taken) + QLatin1Char(' ') + trText(TR_SoundingsAdded));
    return taken;
}

DepthMapFiles DepthMapState::exportFiles(uint32_t boatTime) {
    if (m_grid.isEmpty()) {
        m_prompter.hint(EnumHintCode::DepthMapEmpty, trText(TR_DepthMapEmpty));
        return {};
    }
    return {
        {DepthMapExport::fileName(boatTime, QStringLiteral(".csv")), DepthMapExport::csv(m_grid)},
        {DepthMapExport::fileName(boatTime, QStringLiteral(".kml")),
         DepthMapExport::kml(m_grid, DepthMapExport::allContours(m_grid, intervalMetres()))}};
}

void DepthMapState::setView(const StructDepthMapView& view) {
    m_view = view;
    m_view.intervalIndex = std::clamp(view.intervalIndex, 0, kIntervalCount - 1);
    ++m_revision;
    saveView();
}

float DepthMapState::intervalMetres() const {
    return kIntervals[m_view.intervalIndex];
}

void DepthMapState::saveView() const {
    const QString path = Platform::path(m_viewPath);
    if (!IniFile::mayWrite(path)) return;
    QSettings s(path, QSettings::IniFormat);
    s.setValue(QStringLiteral("shading"), m_view.shading);
    s.setValue(QStringLiteral("contours"), m_view.contours);
    s.setValue(QStringLiteral("interval"), m_view.intervalIndex);
}

// The depth map's part of the controller: its frames, its saving, its list of commands and
// the map layer that shows it.
#include "core/korvel.h"

#include "base/global.h"
#include "base/tr_resource.h"
#include "data/depth_map_export.h"
#include "state/depth_map_state.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_file.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/depth_map_menu.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/ux_sub_menu_item.h"

namespace {

constexpr const char* kMenuTag = "depthMap";
constexpr const char* kLogTag = "depthMapLog";

using namespace DepthMapMenu;

QString trText(EnumTrString id) {
    return TrResource::getTrString(id);
}

}  // namespace

void Korvel::depthMap_init() {
    m_depthMap = std::make_unique<DepthMapState>(prompter());
    m_depthMap->load();
    m_depthClock.start();
    m_navi->setDepthMap(m_depthMap.get());
    m_dialogs->receiveFiles(QLatin1String(kLogTag),
                            [this](const QString& file) { depthMap_addLog(file); });
}

// Only what the boat sends now: a replayed log or the simulator would map a lake twice or
// one that is not there.
void Korvel::depthMap_takeFrames(const QVector<kvl_w>& frames) {
    const qint64 now = m_depthClock.elapsed();
    for (const kvl_w& frame : frames)
        m_depthMap->takeFrame(frame, Global::configuration, now);
}

void Korvel::depthMap_tick() {
    m_depthMap->tick(m_depthClock.elapsed());
    m_navi->depthMap_update();
}

void Korvel::depthMap_showMenu(int row) {
    m_menus->item()->showSubMenu(
        trText(TR_DepthMap), QLatin1String(kMenuTag),
        DepthMapMenu::rows(m_depthMap->view(), m_depthMap->intervalMetres()), row);
}

void Korvel::depthMap_clickRow(int row) {
    StructDepthMapView v = m_depthMap->view();
    switch (row) {
        case RowShading:
            v.shading = !v.shading;
            break;
        case RowContours:
            v.contours = !v.contours;
            break;
        case RowInterval:
            v.intervalIndex = (v.intervalIndex + 1) % DepthMapState::kIntervalCount;
            break;
        case RowExport:
            depthMap_export();
            return;
        case RowAddLog:
            m_dialogs->file()->showFile(QStringLiteral("/mnt/sd/Korvel/Record/"),
                                        QStringLiteral("*.kvlw"), QLatin1String(kLogTag));
            return;
        case RowClear:
            m_depthMap->askClear();
            return;
        default:
            return;
    }
    m_depthMap->setView(v);
    m_navi->depthMap_paint();
    depthMap_showMenu(row);
}

void Korvel::depthMap_export() {
    const DepthMapFiles files = m_depthMap->exportFiles(values().boat_time);
    if (files.isEmpty()) return;
    QString names;
    for (const auto& f : files)
        names += QLatin1Char('\n') + f.first.section(QLatin1Char('/'), -1);
    data_exportFilesToCard(files, TR_ExportDepthMap, trText(TR_DepthMapExported) + names);
}

void Korvel::depthMap_addLog(const QString& file) {
    m_depthMap->addLog(file, Global::configuration);
    m_navi->depthMap_paint();
}

#include "core/korvel.h"

#include "base/global.h"
#include "base/log.h"
#include "base/screen_layout.h"
#include "core/key_router.h"
#include "core/ux_view.h"
#include "data/recorder.h"
#include "link/ux_data.h"
#include "platform/backlight.h"
#include "platform/board.h"
#include "platform/handset_board.h"
#include "platform/platform.h"
#include "platform/sd_mount_thread.h"
#include "platform/shell.h"
#include "platform/versions.h"
#include "sonar/ux_sonar.h"
#include "state/depth_map_state.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_power_off.h"
#include "ui/map/item_marks.h"
#include "ui/map/ux_navi.h"
#include "ui/screens/compass_views.h"
#include "ui/screens/info_panels.h"
#include "ui/screens/item_dev_mode.h"
#include "ui/screens/menu_host.h"
#include "ui/screens/screen_overlays.h"
#include "ui/screens/show_cpu_memory.h"
#include "ui/screens/status_icons.h"

#include <QBrush>
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace {
const char* const kConfigurationFile = "/opt/configuration.kcg";
constexpr int kMonitorMs = 2000;
}  // namespace

// --- Configuration ------------------------------------------------------------------------------

void Korvel::system_useDefaultSetting() {
    Configuration::applyDefaults(Global::configuration);
}

void Korvel::system_loadConfiguration() {
    QString problem;
    Configuration::load(Platform::path(QLatin1String(kConfigurationFile)), Global::configuration,
                        &problem);
    if (!problem.isEmpty())
        qCWarning(lcCore).noquote() << kConfigurationFile << "is" << problem
                                    << "- the settings it cannot give keep their defaults";
}

bool Korvel::system_saveConfiguration() {
    const bool ok = Configuration::save(Platform::path(QLatin1String(kConfigurationFile)),
                                        Global::configuration);
    if (!ok) {
        qCWarning(lcCore) << "configuration not saved to" << kConfigurationFile;
        m_dialogs->showSaveFailed();
    }
    return ok;
}

void Korvel::system_changeScreenMode() {
    int& mode = Global::configuration.screenMode;
    if (mode >= 0 && mode <= 3) mode = KeyRouter::nextScreenMode(mode);
}

// --- Supervision --------------------------------------------------------------------------------

// Applies configuration changes that need action on the system. The view is dimmed while a
// menu or dialog is open and restored when the last one closes.
void Korvel::system_checkState() {
    StructConfiguration& cfg = Global::configuration;
    // 1. The SD icon follows the card.
    m_statusIcons->setSdCard(system_haveMountSD());
    // 2. Backlight, written only when the level changed.
    m_backlight->apply(cfg.backLight);
    // 3. Language: what stays on screen is translated again.
    if (m_currentLanguage < 0) m_currentLanguage = cfg.systemLanguage;
    if (cfg.systemLanguage != m_currentLanguage) {
        m_currentLanguage = cfg.systemLanguage;
        m_menus->retranslate();
    }
    // 4. Serial speed.
    if (cfg.baudRate != m_currentBaudRate) {
        m_currentBaudRate = cfg.baudRate;
        m_data->setBaudRate(cfg.baudRate);
    }
    // 6. and 7. Data logger; record and replay.
    const unsigned boatTime = values().boat_time;
    m_recorder->setCardReadOnly(m_sdThread->readOnly());
    m_recorder->checkExportMode(cfg, boatTime);
    m_recorder->checkRecordMode(cfg, boatTime);
    m_overlays->exportIco()->setVisible(m_recorder->logging());
    m_overlays->recordText()->setVisible(m_recorder->recording());
    // 8. Developer overlay, with a fresh signal strength from the radio module.
    if (cfg.devMode != m_currentDevMode) {
        m_currentDevMode = cfg.devMode;
        m_overlays->devMode()->setVisible(cfg.devMode == 1);
        if (cfg.devMode == 1) m_data->sendCmd_askRssi();
        m_navi->updateItem();  // the map's overlay shows the segment count in it
    }
    // 9. Highlight.
    const bool dim = m_modals.anyVisible();
    if (dim != m_highlightDimmed) {
        m_highlightDimmed = dim;
        if (dim) {
            m_view->setLowLight();
        } else {
            m_view->setHightLight();
        }
    }
    // The map's depth and distance texts follow a change of unit.
    if (cfg.unit != m_currentUnit) {
        m_currentUnit = cfg.unit;
        m_navi->updateItem();
    }
    // 10. Screen layout.
    if (cfg.screenMode != m_currentScreenMode) {
        m_currentScreenMode = cfg.screenMode;
        system_applyScreenLayout(cfg.screenMode);
    }
}

bool Korvel::recordMarkShown() const {
    return m_overlays->recordText()->isVisible();
}

bool Korvel::exportMarkShown() const {
    return m_overlays->exportIco()->isVisible();
}

ItemDevMode* Korvel::devModeItem() const {
    return m_overlays->devMode();
}

// Lays the main screen out: the status icons, the info panels, the overlays and the
// echogram's height. The map view and the compasses take their places from the same
// description as they are built.
void Korvel::system_applyScreenLayout(int screenMode) {
    const StructScreenLayout layout = ScreenLayout::forMode(screenMode);
    if (!layout.valid) return;
    m_statusIcons->applyLayout(layout);
    m_infoPanels->applyLayout(layout);
    m_overlays->applyLayout(layout);
    system_placeMap(layout);
    m_compassViews->applyLayout(layout);
    sonar()->setImageHight(layout.echogramHeight);
}

void Korvel::system_placeMap(const StructScreenLayout& layout) {
    QGraphicsItem* map = m_navi->item();
    map->setVisible(layout.mapVisible);
    if (!layout.mapVisible) return;
    map->setPos(layout.mapPos);
    if (QSize(m_navi->boundWidth(), m_navi->boundHeight()) != layout.mapBound) {
        m_navi->setBoundSize(layout.mapBound.width(), layout.mapBound.height());
        m_navi->boat_resetToCenter();
    }
}

// --- Board --------------------------------------------------------------------------------------

// The first steps of construction: the system monitor, the battery ADC, the backlight and the
// unit's version texts (the model letter chooses the start-up logo).
void Korvel::system_initBoard() {
    Board::prepareVirtual();
    m_showCpuMemory = new ShowCPUMemory(this);
    m_showCpuMemory->Start(kMonitorMs);
    Global::initADC();
    m_backlight = std::make_unique<Backlight>();
    Global::getCurrent_kernel();
    Global::getCurrent_model();
    m_model = static_cast<char>(Global::current_model);
}

// The SD watch ends with the event loop (system_shutdown); the thread object's destructor
// would also stop it.
void Korvel::system_startSdThread() {
    m_sdThread = new SdMountThread(this);
    m_sdThread->start(QThread::InheritPriority);
}

bool Korvel::system_haveMountSD() const {
    return m_sdThread && m_sdThread->haveMountSD();
}

void Korvel::system_showPoweroffDialog() {
    m_dialogs->powerOff()->showPowerOff();
}

// Backlight off, the dialog gone and a black screen, then the power goes (or, on a development
// machine, the program ends). The tick stops first, so nothing lights the screen again.
void Korvel::slot_system_powerOff() {
    m_poweringOff = true;
    m_timerMain->stop();
    m_depthMap->save();
    m_backlight->off();
    m_dialogs->powerOff()->hide();
    m_view->setForegroundBrush(QBrush(Qt::black, Qt::SolidPattern));
    m_view->viewport()->update();
    QCoreApplication::processEvents();
    if (Platform::isVirtual()) {
        printf("poweroff (virtual: the program ends)\n");
        fflush(stdout);
        QCoreApplication::quit();
        return;
    }
    const int status = Global::my_system("poweroff");
    if (status == 0) return;
    // The machine stays on: a frozen black handset would look dead, so light it again and
    // say why.
    qCWarning(lcCore) << "poweroff failed with status" << status;
    m_poweringOff = false;
    m_backlight->restore(Global::configuration.backLight);
    m_highlightDimmed = false;
    m_view->setHightLight();
    m_dialogs->showPowerOffFailed();
    m_timerMain->start(kTickMs);
}

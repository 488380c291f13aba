#include "core/base/global.h"
#include "core/base/log.h"
#include "core/key_router.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "link/ux_data.h"
#include "platform/platform.h"

#include <QGraphicsPixmapItem>

namespace {
const char* const kConfigurationFile = "/opt/configuration.kcg";
}

void Korvel::system_useDefaultSetting() {
    Configuration::applyDefaults(Global::configuration);
}

void Korvel::system_loadConfiguration() {
    Configuration::load(Platform::path(QLatin1String(kConfigurationFile)), Global::configuration);
}

bool Korvel::system_saveConfiguration() {
    const bool ok = Configuration::save(Platform::path(QLatin1String(kConfigurationFile)),
                                        Global::configuration);
    if (!ok) qCWarning(lcCore) << "configuration not saved to" << kConfigurationFile;
    return ok;
}

void Korvel::system_changeScreenMode() {
    int& mode = Global::configuration.screenMode;
    if (mode >= 0 && mode <= 3) mode = KeyRouter::nextScreenMode(mode);
}

void Korvel::system_registerModal(QWidget* widget) {
    if (widget && !m_modalWidgets.contains(widget)) m_modalWidgets << widget;
}

bool Korvel::system_modalVisible() const {
    for (const QWidget* w : m_modalWidgets) {
        if (w->isVisible()) return true;
    }
    return false;
}

// Applies configuration changes that need action on the system. The view is dimmed while a
// menu or dialog is open and restored when the last one closes.
void Korvel::system_checkState() {
    const StructConfiguration& cfg = Global::configuration;
    // 1. The SD icon follows the card.
    if (m_icoSdCard) m_icoSdCard->setVisible(system_haveMountSD());
    // 2. Backlight, written only when the level changed.
    system_applyBacklight();
    // 4. Serial speed.
    if (cfg.baudRate != m_currentBaudRate) {
        m_currentBaudRate = cfg.baudRate;
        m_data->setBaudRate(cfg.baudRate);
    }
    // The reading thread records by this copy, never by the configuration record itself.
    m_data->record_setWorkMode(cfg.workMode);
    // 6. and 7. Data logger; record and replay.
    data_checkExportMode();
    data_checkRecordMode();
    // 9. Highlight.
    const bool dim = system_modalVisible();
    if (dim != m_highlightDimmed) {
        m_highlightDimmed = dim;
        if (dim) {
            m_view->setLowLight();
        } else {
            m_view->setHightLight();
        }
    }
    // 10. Screen layout.
    if (cfg.screenMode != m_currentScreenMode) {
        m_currentScreenMode = cfg.screenMode;
        system_applyScreenLayout(cfg.screenMode);
    }
}

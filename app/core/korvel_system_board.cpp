#include "core/base/global.h"
#include "core/korvel.h"
#include "core/ux_view.h"
#include "platform/board.h"
#include "platform/handset_board.h"
#include "platform/platform.h"
#include "platform/sd_mount_thread.h"
#include "platform/shell.h"
#include "platform/versions.h"
#include "ui/show_cpu_memory.h"

#include <QBrush>
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

namespace {
constexpr int kMonitorMs = 2000;
constexpr float kBacklightEpsilon = 0.001f;
constexpr int kBacklightScale = 11;  // level 1..9 -> 12..100
}  // namespace

// The first steps of construction: the system monitor, the battery ADC and the unit's
// version texts (the model letter chooses the start-up logo).
void Korvel::system_initBoard() {
    Board::prepareVirtual();
    m_showCpuMemory = new ShowCPUMemory(this);
    m_showCpuMemory->Start(kMonitorMs);
    Global::initADC();
    Global::getCurrent_kernel();
    Global::getCurrent_model();
    m_model = static_cast<char>(Global::current_model);
}

// The SD watch ends with the event loop, before the application object goes away; the
// thread object's destructor would also stop it if the controller were deleted first.
void Korvel::system_startSdThread() {
    m_sdThread = new SdMountThread(this);
    if (QCoreApplication::instance()) {
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, m_sdThread,
                &SdMountThread::stop, Qt::DirectConnection);
    }
    m_sdThread->start(QThread::InheritPriority);
}

bool Korvel::system_haveMountSD() const {
    return m_sdThread && m_sdThread->haveMountSD();
}

// Writes the backlight only when the level changed. The first call always writes: the
// brightness the board starts with is not known.
void Korvel::system_applyBacklight() {
    const float level = Global::configuration.backLight;
    if (m_currentBacklight >= 0 && qAbs(level - m_currentBacklight) <= kBacklightEpsilon) return;
    m_currentBacklight = level;
    Global::my_system(QStringLiteral("echo ") +
                      QString::number(level * kBacklightScale + 1, 'g', 6) + QStringLiteral(" >") +
                      QLatin1String(Board::kBacklight));
}

// Backlight off, a black screen, then the power goes (or, on a development machine, the
// program ends).
void Korvel::slot_system_powerOff() {
    Global::my_system(QStringLiteral("echo ") + QStringLiteral("0") + QStringLiteral(" >") +
                      QLatin1String(Board::kBacklight));
    m_currentBacklight = 0;
    // The power-off dialog hides itself before it signals; no tick may light the screen again.
    if (m_timerMain) m_timerMain->stop();
    m_view->setForegroundBrush(QBrush(Qt::black, Qt::SolidPattern));
    m_view->viewport()->update();
    QCoreApplication::processEvents();
    if (Platform::isVirtual()) {
        printf("poweroff (virtual: the program ends)\n");
        fflush(stdout);
        QCoreApplication::quit();
        return;
    }
    Global::my_system("poweroff");
}

#include "platform/sd_mount_thread.h"

#include "platform/platform.h"
#include "platform/sd_card.h"
#include "platform/shell.h"

#include <QDir>
#include <QElapsedTimer>
#include <climits>
#include <cstdio>

const char* const SdMountThread::kFolders[6] = {"/mnt/sd/Korvel/Record/", "/mnt/sd/Korvel/Color/",
                                                "/mnt/sd/Korvel/Course/", "/mnt/sd/Korvel/Kml/",
                                                "/mnt/sd/Korvel/Update/", "/mnt/sd/Korvel/Export/"};

namespace {
constexpr int kSliceMs = 50;
}

SdMountThread::SdMountThread(QObject* parent, std::unique_ptr<SdCard> card)
    : QThread(parent), m_card(card ? std::move(card) : SdCard::create()) {}

SdMountThread::~SdMountThread() {
    stop();
}

bool SdMountThread::stop(int timeoutMs) {
    requestInterruption();
    if (!wait(timeoutMs < 0 ? ULONG_MAX : static_cast<unsigned long>(timeoutMs))) return false;
    // Pairs with the end of run(): the join through Qt's own lock is invisible to the thread
    // checker, this makes the loop's last use of the card visibly happen before its release.
    (void)m_finished.load(std::memory_order_acquire);
    return true;
}

bool SdMountThread::pause(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!isInterruptionRequested()) {
        const qint64 left = ms - clock.elapsed();
        if (left <= 0) return true;
        msleep(static_cast<unsigned long>(qMin<qint64>(left, kSliceMs)));
    }
    return false;
}

bool SdMountThread::scanSdNode() const {
    return m_card->present();
}

void SdMountThread::initSdDoc() {
    for (const char* folder : kFolders)
        QDir().mkpath(Platform::path(QLatin1String(folder)));
    Global::my_system("sync");
}

void SdMountThread::run() {
    watch();
    m_finished.store(true, std::memory_order_release);
}

void SdMountThread::watch() {
    while (!isInterruptionRequested()) {
        // No card: look for one every second.
        m_mounted = false;
        while (!scanSdNode()) {
            if (!pause(kPollMs)) return;
        }
        // A card the system has mounted already makes mount fail and is still usable; one
        // that is not mounted at all is not there for the program. The flag goes up once the
        // folders are there, so nothing writes to the card before its tree exists.
        const int status = m_card->mount();
        if (status == 0 || m_card->isMounted()) {
            m_readOnly = m_card->isReadOnly();
            if (!m_readOnly) initSdDoc();
            m_mounted = true;
            printf(m_readOnly ? "SD Mount! (read-only: nothing is written to it)\n"
                              : "SD Mount!\n");
        } else {
            printf("SD card not mounted (status %d): it is not used until it is put in again\n",
                   status);
        }
        fflush(stdout);

        // A card: watch for it to go.
        while (scanSdNode()) {
            if (!pause(kPollMs)) return;
        }
        if (m_mounted) {
            m_card->unmount();
            m_mounted = false;
            m_readOnly = false;
            printf("SD UnMount!\n");
            fflush(stdout);
        }
    }
}

#pragma once

#include "platform/sd_card.h"

#include <QThread>
#include <atomic>
#include <memory>

// Watches the SD-card slot once a second in a thread of its own: mounts a card that appears,
// prepares the program's folders on it, and unmounts it when it is taken out. A card that
// could not be mounted is not reported as there; a write-protected one is mounted read-only
// and reported so. The GUI thread
// reads only the mounted flag. stop() (also called by the destructor) ends the watch within a
// fraction of a second, so the program can end at any moment.
class SdMountThread : public QThread {
    Q_OBJECT
public:
    // The platform's slot, or the given one (tests).
    explicit SdMountThread(QObject* parent = nullptr, std::unique_ptr<SdCard> card = nullptr);
    ~SdMountThread() override;

    bool haveMountSD() const { return m_mounted.load(); }
    // Mounted, but the card takes no writes: nothing may be recorded or exported to it.
    bool readOnly() const { return m_readOnly.load(); }
    // Ends the watch and waits for the thread, at most timeoutMs when it is not negative (a
    // mount command may hang on a bad card); false when the thread has not ended. A mounted
    // card stays mounted: unmounting at the end is the system's business.
    bool stop(int timeoutMs = -1);

    // The folders every card gets, in creation order.
    static const char* const kFolders[6];
    static constexpr int kPollMs = 1000;

protected:
    void run() override;

private:
    bool scanSdNode() const;
    void initSdDoc();
    // The watch loop of run(), until the thread is asked to end.
    void watch();
    // Sleeps up to ms, returning false as soon as the thread is asked to end.
    bool pause(int ms);

    std::unique_ptr<SdCard> m_card;
    std::atomic<bool> m_mounted{false};
    std::atomic<bool> m_readOnly{false};
    std::atomic<bool> m_finished{false};
};

#pragma once

#include "boat_core.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// The virtual boat as one object: the radio module and the boat behind it, served over a
// connected stream socket (WIRE.md) by a thread of its own. In a test, attachSocketPair()
// gives the handset's end of a socket pair; the korvel-vboat program attaches each handset
// that connects to its listening socket.
//
// All methods may be called from any thread. What the boat sends while no handset is
// attached is lost, as it would be with the handset's radio switched off: attach first,
// then power the boat on, to see its hello.
namespace vboat {

class VirtualBoat {
public:
    explicit VirtualBoat(const SimOptions& options = SimOptions());
    ~VirtualBoat();
    VirtualBoat(const VirtualBoat&) = delete;
    VirtualBoat& operator=(const VirtualBoat&) = delete;

    // Serves a connected stream socket from now on and owns it; the previous one is closed.
    void attach(int fd);
    // A socket pair with one end attached; returns the other end (the caller closes it),
    // or -1 when no pair could be made.
    int attachSocketPair();
    // True while a handset is attached and has not hung up.
    bool connected() const;

    void powerOn();
    void powerOff();
    bool poweredOn() const;
    void setFrameRate(double framesPerSecond);
    void setFault(Fault fault, int everyNth = 1);
    void setVersions(const BoatVersions& versions);
    // The sonar box's firmware loader: faults on demand, and how often it asks for a block
    // twice (0: never).
    void setLoaderFault(LoaderFault fault, int stopAfterBlocks = 0);
    void setLoaderReRequestEvery(int n);
    SonarSettings sonarSettings() const;
    BoatStats stats() const;

    // One control command (control.h); returns its answer.
    QByteArray control(const QByteArray& line);
    // Writes the trace of what the boat hears to path (flushed per line, times in seconds
    // since this object was made); false when the file cannot be written.
    bool setTraceFile(const QString& path);

    // Ends the thread and closes the socket. Returns false when the thread did not end
    // within the time given (the destructor then still waits for it).
    bool stop(int timeoutMs = 2000);

private:
    void run();
    double now() const;
    void wake();

    mutable std::mutex mutex_;  // guards core_, pendingFd_, connected_
    std::condition_variable finishedCv_;
    BoatCore core_;
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    bool finished_ = false;
    bool connected_ = false;
    int pendingFd_ = -1;  // handed over by attach(), taken by the thread
    bool hasPending_ = false;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    const std::chrono::steady_clock::time_point epoch_;
};

}  // namespace vboat

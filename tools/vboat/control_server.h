#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <thread>

// A Unix socket that takes control commands, one per line, from any number of writers at
// once (a test, a demo script, a developer's socat) and answers each line with one line.
namespace vboat {

// A listening Unix stream socket at path; a socket left there by an earlier run is replaced,
// any other file is not touched. -1 when it cannot be made.
int listenUnixSocket(const QString& path);

class ControlServer {
public:
    // Gets one command line (without its line end), returns the answer (without one).
    using Handler = std::function<QByteArray(const QByteArray&)>;

    explicit ControlServer(Handler handler);
    ~ControlServer();
    ControlServer(const ControlServer&) = delete;
    ControlServer& operator=(const ControlServer&) = delete;

    // Listens at path and serves it from a thread of its own; false when it cannot listen.
    bool listen(const QString& path);

private:
    void run();

    Handler handler_;
    QString path_;
    int listenFd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace vboat

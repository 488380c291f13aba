#pragma once

#include <QObject>
#include <QProcess>
#include <QTimer>

// Installs a package without ever leaving the handset without an application: the package is
// listed first (a damaged archive or one without readme.kvc is refused before anything is
// touched), extracted into a folder beside the application directory, and swapped in only when
// tar ended well. On any failure the old application stays as it was.
// tar runs asynchronously; the event loop keeps running, and the staged size is reported every
// 100 ms for the progress display.
class PackageInstaller : public QObject {
    Q_OBJECT
public:
    PackageInstaller(const QString& package, const QString& appDir, QObject* parent = nullptr);
    void start();
    // Puts back an application that a power cut during an earlier swap left aside, so that
    // there is always one before anything else runs (see the .cpp for the states).
    static void recoverInterruptedSwap(const QString& appDir);
    QString stagingDir() const { return m_appDir + QStringLiteral(".new"); }

    static constexpr int kPollMs = 100;
    static constexpr int kTimeoutMs = 10 * 60 * 1000;

signals:
    void signal_progress(qint64 stagedKb);
    // reason: why it failed, for the screen; empty on success.
    void signal_finished(bool ok, const QString& reason);

private:
    enum class EnumStep { Idle, Check, Extract };

    void runTar(EnumStep step, const QStringList& args);
    void slot_tarFinished(int exitCode, QProcess::ExitStatus status);
    void slot_tarError(QProcess::ProcessError error);
    void slot_timeout();
    void extract();
    bool swapIn();
    void finish(const QString& reason);

    QString m_package;
    QString m_appDir;
    QProcess m_tar;
    QTimer m_poll;
    QTimer m_timeout;
    EnumStep m_step = EnumStep::Idle;
    bool m_timedOut = false;
};

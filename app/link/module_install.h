#pragma once

#include "link/module_update_run.h"
#include "link/rdup_file.h"

#include <QObject>
#include <QTimer>

// What installing an update file needs from the controller: running a module's update with
// its dialog, the progress dialog's state and the messages.
class ModuleInstallHost {
public:
    virtual ~ModuleInstallHost() = default;
    // Starts the module's update (its dialog, the tick stopped); false when it could not start.
    // The end comes back through ModuleInstall::updateFinished.
    virtual bool startModuleUpdate(ModuleUpdateRun::EnumModule module, const QByteArray& image) = 0;
    virtual bool progressShown() const = 0;
    // "The version of the file selected is same as current R-Boxes's version."
    virtual void showSameVersion() = 0;
    // "Update successfully!" and "Wait Remote-Box Rebooting...", the main menu closed.
    virtual void showRebooting() = 0;
    virtual void hideProgress() = 0;
    virtual void sendSonarReset() = 0;
    // The autopilot's acknowledgement: it answers again after its reboot.
    virtual bool apAcknowledged() const = 0;
    virtual void clearApAck() = 0;
    // The versions the boat reports: the sonar box's number, the autopilot's in hundredths.
    virtual int reportedSonarVersion() const = 0;
    virtual int reportedApVersion() const = 0;
};

// Installs an update file: the autopilot when the file's version is newer (in whole
// hundredths), then, once its dialog is gone, the sonar box when its version differs; says so
// when both are up to date, and after an update waits (at most about 15 s) for the rebooted
// autopilot to answer. Timer-driven: nothing waits inside a nested loop.
class ModuleInstall : public QObject {
    Q_OBJECT
public:
    explicit ModuleInstall(ModuleInstallHost& host, QObject* parent = nullptr);

    // Starts with a checked file; false while an install runs.
    bool start(const StructRdupFile& file);
    bool running() const { return m_state != State::Idle; }
    // The module update the install started has ended.
    void updateFinished(bool ok);
    // Whether an update was flashed during the last install.
    bool updated() const { return m_updated; }

    static constexpr int kDialogPollMs = 200;
    static constexpr int kRebootPollMs = 100;
    static constexpr int kRebootChecks = 151;

signals:
    void signal_finished();

private:
    enum class State { Idle, Autopilot, WaitDialog, Sonar, Rebooting };

    void next();
    void sonarStep();
    void finish();

    ModuleInstallHost& m_host;
    StructRdupFile m_file;
    State m_state = State::Idle;
    bool m_updated = false;
    bool m_upToDate = true;
    int m_checks = 0;
    QTimer m_timer;
};

#include "link/module_install.h"

ModuleInstall::ModuleInstall(ModuleInstallHost& host, QObject* parent)
    : QObject(parent), m_host(host) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ModuleInstall::next);
}

bool ModuleInstall::start(const StructRdupFile& file) {
    if (running()) return false;
    m_file = file;
    m_updated = false;
    m_upToDate = true;
    m_checks = 0;
    // The autopilot first, when the file's version is newer: never a downgrade.
    if (!m_file.apImage.isEmpty() && m_file.apVersion > m_host.reportedApVersion()) {
        m_upToDate = false;
        if (m_host.startModuleUpdate(ModuleUpdateRun::EnumModule::Autopilot, m_file.apImage)) {
            m_state = State::Autopilot;
            return true;
        }
    }
    m_state = State::WaitDialog;
    m_timer.start(0);
    return true;
}

void ModuleInstall::updateFinished(bool ok) {
    if (ok) m_updated = true;
    if (m_state == State::Autopilot) {
        m_state = State::WaitDialog;
        m_timer.start(0);
    } else if (m_state == State::Sonar) {
        finish();
    }
}

void ModuleInstall::next() {
    switch (m_state) {
        case State::WaitDialog:
            sonarStep();
            break;
        case State::Rebooting:
            if (m_host.apAcknowledged() || ++m_checks >= kRebootChecks) {
                m_host.hideProgress();
                m_state = State::Idle;
                emit signal_finished();
            } else {
                m_timer.start(kRebootPollMs);
            }
            break;
        default:
            break;
    }
}

// The sonar box once the autopilot's dialog has gone (the user acknowledges a failure).
void ModuleInstall::sonarStep() {
    if (m_file.sonarImage.isEmpty()) {
        if (m_updated) m_host.sendSonarReset();
        finish();
        return;
    }
    if (m_host.progressShown()) {
        m_timer.start(kDialogPollMs);
        return;
    }
    if (m_file.sonarVersion != m_host.reportedSonarVersion()) {
        m_upToDate = false;
        if (m_host.startModuleUpdate(ModuleUpdateRun::EnumModule::Sonar, m_file.sonarImage)) {
            m_state = State::Sonar;
            return;
        }
    }
    finish();
}

void ModuleInstall::finish() {
    if (m_upToDate) m_host.showSameVersion();
    if (!m_updated) {
        m_state = State::Idle;
        emit signal_finished();
        return;
    }
    m_host.clearApAck();
    m_host.showRebooting();
    m_state = State::Rebooting;
    m_checks = 0;
    m_timer.start(kRebootPollMs);
}

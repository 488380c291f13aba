#include "package_installer.h"

#include "boot_paths.h"
#include "disk_usage.h"
#include "my_system.h"
#include "package_files.h"
#include "tr_resource.h"

#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace {

QString withTarStatus(EnumText text, int status) {
    return TrResource::getTrString(text) + QStringLiteral(" (tar %1)").arg(status);
}

QString oldDir(const QString& appDir) {
    return appDir + QStringLiteral(".old");
}

// The renames must reach the card's flash before the next step counts on them.
void flush() {
    my_system(QStringLiteral("sync"));
}

bool listsRecord(const QByteArray& listing) {
    for (const QByteArray& line : listing.split('\n')) {
        if (line == BootPaths::kNewRecord) return true;
    }
    return false;
}

}  // namespace

PackageInstaller::PackageInstaller(const QString& package, const QString& appDir, QObject* parent)
    : QObject(parent), m_package(package), m_appDir(appDir) {
    m_tar.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(&m_tar, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            &PackageInstaller::slot_tarFinished);
    connect(&m_tar, &QProcess::errorOccurred, this, &PackageInstaller::slot_tarError);
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this,
            [this] { emit signal_progress(DiskUsage::kilobytes(stagingDir())); });
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(kTimeoutMs);
    connect(&m_timeout, &QTimer::timeout, this, &PackageInstaller::slot_timeout);
}

// A swap is: staged tree synced, app -> app.old, app.new -> app, synced, app.old removed.
// Cut before the second rename (app.old without app): the old application, known to run,
// goes back; the package was not retired and is offered again. Cut after it (app and
// app.old): the new one is in place and only the removal was lost. A staged tree left by
// either, or by a cut extraction, is not trusted.
void PackageInstaller::recoverInterruptedSwap(const QString& appDir) {
    const QString old = oldDir(appDir);
    if (!QFileInfo::exists(old)) {
        if (QFileInfo::exists(appDir + QStringLiteral(".new")))
            QDir(appDir + QStringLiteral(".new")).removeRecursively();
        return;
    }
    if (!QFileInfo::exists(appDir)) {
        if (!QDir().rename(old, appDir)) {
            qWarning("cannot put %s back", qPrintable(old));
            return;
        }
        qInfo("an interrupted update left the application aside: put back");
    } else {
        QDir(old).removeRecursively();
    }
    QDir(appDir + QStringLiteral(".new")).removeRecursively();
    flush();
}

void PackageInstaller::start() {
    m_timedOut = false;
    m_timeout.start();
    runTar(EnumStep::Check, {QStringLiteral("-tf"), m_package});
}

void PackageInstaller::runTar(EnumStep step, const QStringList& args) {
    m_step = step;
    m_tar.start(QStringLiteral("tar"), args, QIODevice::ReadOnly);
}

void PackageInstaller::slot_tarError(QProcess::ProcessError error) {
    // A tar that never started sends no finished signal.
    if (error == QProcess::FailedToStart) slot_tarFinished(-1, QProcess::CrashExit);
}

void PackageInstaller::slot_timeout() {
    m_timedOut = true;
    m_tar.kill();
}

void PackageInstaller::slot_tarFinished(int exitCode, QProcess::ExitStatus status) {
    const EnumStep step = m_step;
    m_step = EnumStep::Idle;
    const int tarStatus = status == QProcess::NormalExit ? exitCode : -1;
    if (m_timedOut) {
        finish(TrResource::getTrString(EnumText::ExtractionTimedOut));
    } else if (step == EnumStep::Check) {
        if (tarStatus != 0) {
            finish(withTarStatus(EnumText::PackageUnreadable, tarStatus));
        } else if (!listsRecord(m_tar.readAllStandardOutput())) {
            finish(TrResource::getTrString(EnumText::NotAnUpdatePackage));
        } else if (!PackageFiles::isComplete(m_package)) {
            finish(TrResource::getTrString(EnumText::PackageIncomplete));
        } else {
            extract();
        }
    } else if (step == EnumStep::Extract) {
        m_poll.stop();
        emit signal_progress(DiskUsage::kilobytes(stagingDir()));
        if (tarStatus != 0) {
            finish(withTarStatus(EnumText::ExtractionFailed, tarStatus));
        } else if (!swapIn()) {
            finish(TrResource::getTrString(EnumText::CannotReplaceApplication));
        } else {
            finish(QString());
        }
    }
}

void PackageInstaller::extract() {
    // What an interrupted earlier run left behind is not trusted; an application left aside
    // was put back at the start, so a .old left now sits beside a working one.
    QDir(stagingDir()).removeRecursively();
    if (QFileInfo::exists(m_appDir)) QDir(oldDir(m_appDir)).removeRecursively();
    if (!QDir().mkpath(stagingDir())) {
        finish(TrResource::getTrString(EnumText::CannotReplaceApplication));
        return;
    }
    m_poll.start();
    runTar(EnumStep::Extract,
           {QStringLiteral("-xf"), m_package, QStringLiteral("-C"), stagingDir()});
}

bool PackageInstaller::swapIn() {
    const QString old = oldDir(m_appDir);
    QDir dir;
    const bool hadApp = QFileInfo::exists(m_appDir);
    flush();  // the staged files are on flash before the old application is moved aside
    if (hadApp && !dir.rename(m_appDir, old)) return false;
    if (!dir.rename(stagingDir(), m_appDir)) {
        if (hadApp) dir.rename(old, m_appDir);
        flush();
        return false;
    }
    flush();
    QDir(old).removeRecursively();
    return true;
}

void PackageInstaller::finish(const QString& reason) {
    m_timeout.stop();
    m_poll.stop();
    if (!reason.isEmpty()) {
        QDir(stagingDir()).removeRecursively();
        qInfo("installation of %s failed: %s", qPrintable(m_package), qPrintable(reason));
    }
    emit signal_finished(reason.isEmpty(), reason);
}

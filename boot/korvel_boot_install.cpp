// The "Yes" path: the installation with its progress, and what follows it.
#include "boot_paths.h"
#include "config_migration.h"
#include "disk_usage.h"
#include "korvel_boot.h"
#include "package_files.h"
#include "package_installer.h"
#include "tr_resource.h"
#include "ux_update_dialog.h"

#include <QTimer>

void KorvelBoot::slot_buttonClick_yes() {
    if (m_state != EnumState::Confirming) return;
    m_updateDialog->hideButtons();
    beeperForceOnOneTime();
    func_updateNewVersion();
}

void KorvelBoot::func_updateNewVersion() {
    m_state = EnumState::Installing;
    m_installer = new PackageInstaller(m_packagePath, BootPaths::path(BootPaths::kAppDir), this);
    connect(m_installer, &PackageInstaller::signal_progress, this,
            &KorvelBoot::slot_installProgress);
    connect(m_installer, &PackageInstaller::signal_finished, this,
            &KorvelBoot::slot_installFinished);
    // The new files are counted as they land in the staging folder, which the installer
    // empties first; the whole is the package's size.
    m_totalHundreds = DiskUsage::hundredsOfKb(DiskUsage::kilobytes(m_packagePath));
    m_totalSize = DiskUsage::megabytes(m_totalHundreds);
    m_installedSize = DiskUsage::megabytes(0);
    m_updateDialog->setStatus(
        TrResource::getTrString(EnumText::NewFirmwareUpdating) + QStringLiteral(" ...\r\n") +
        TrResource::getTrString(EnumText::DoNotPowerOff) + QStringLiteral(" !"));
    m_updateDialog->setProgress(
        0, qMax(1, m_totalHundreds),
        m_installedSize + QStringLiteral("MB /") + m_totalSize + QStringLiteral("MB"));
    m_installer->start();
}

void KorvelBoot::slot_installProgress(qint64 stagedKb) {
    const int staged = qMin(DiskUsage::hundredsOfKb(stagedKb), m_totalHundreds);
    m_installedSize = DiskUsage::megabytes(staged);
    m_updateDialog->setProgress(
        staged, qMax(1, m_totalHundreds),
        m_installedSize + QStringLiteral("MB / ") + m_totalSize + QStringLiteral("MB"));
}

void KorvelBoot::slot_installFinished(bool ok, const QString& reason) {
    if (!ok) {
        m_state = EnumState::Failed;
        m_updateDialog->setStatus(TrResource::getTrString(EnumText::UpdateFailed) +
                                  QStringLiteral(" !\n") + reason + QLatin1Char('\n') +
                                  TrResource::getTrString(EnumText::OldFirmwareKept));
        clicks(3);
        return;
    }
    // Only a configuration the new application will read is converted.
    if (ConfigMigration::isNeeded(m_current.version, m_new.version))
        ConfigMigration::migrate(BootPaths::path(BootPaths::kConfiguration));
    PackageFiles::retire(m_packagePath);
    slot_installProgress(qint64(m_totalHundreds) * 100);
    m_updateDialog->setStatus(TrResource::getTrString(EnumText::UpdateSuccessful) +
                              QStringLiteral(" !"));
    clicks(3);
    QTimer::singleShot(500, this, [this] { end(0); });
}

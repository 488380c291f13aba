#include "korvel_boot.h"

#include "boot_paths.h"
#include "my_system.h"
#include "package_files.h"
#include "package_installer.h"
#include "tr_resource.h"
#include "ux_dialog_file.h"
#include "ux_update_dialog.h"

#include <QApplication>
#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QtDebug>

KorvelBoot::KorvelBoot(QObject* parent)
    : QObject(parent),
      m_scene(new QGraphicsScene(0, 0, 272, 480, this)),
      m_view(new QGraphicsView(m_scene)),
      m_updateDialog(new UxUpdateDialog(m_view)),
      m_dialogFile(new UxDialogFile(BootPaths::path(BootPaths::kUpdateDir), QStringLiteral("*.kup"),
                                    m_view)) {
    // The background picture lives in this program's static library.
    Q_INIT_RESOURCE(boot);
    connect(m_updateDialog, &UxUpdateDialog::signal_buttonClick_yes, this,
            &KorvelBoot::slot_buttonClick_yes);
    connect(m_updateDialog, &UxUpdateDialog::signal_buttonClick_no, this,
            &KorvelBoot::slot_buttonClick_no);
    connect(m_updateDialog, &UxUpdateDialog::signal_EscKeyPressed, this,
            &KorvelBoot::slot_buttonClick_no);
    connect(m_dialogFile, &UxDialogFile::signal_DialogFileNameGet, this,
            &KorvelBoot::slot_DialogFileNameGet_kup);
    connect(m_dialogFile, &UxDialogFile::signal_EscKeyPressed, this,
            &KorvelBoot::slot_Dialog_EscKeyPressed);
    connect(m_dialogFile, &UxDialogFile::signal_keyClick, this, &KorvelBoot::beeperForceOnOneTime);
}

KorvelBoot::~KorvelBoot() {
    delete m_view;
}

void KorvelBoot::start() {
    PackageInstaller::recoverInterruptedSwap(BootPaths::path(BootPaths::kAppDir));
    if (BootPaths::exists(BootPaths::kNoRename)) PackageFiles::restoreBundle();
    if (!func_checkUpdateFileExist()) {
        end(0);
        return;
    }
    func_init();
    func_getInfo_new();
}

bool KorvelBoot::func_checkUpdateFileExist() {
    return !m_dialogFile->scanFile().isEmpty();
}

void KorvelBoot::func_init() {
    m_view->setWindowFlags(Qt::FramelessWindowHint);
    m_view->setFixedSize(272, 480);
    m_view->setStyleSheet(QStringLiteral("padding:0px;border:0px"));
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scene->addPixmap(QPixmap(QStringLiteral(":/ico/appstart.png"))
                           .scaled(272, 480, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    auto* version = m_scene->addSimpleText(QLatin1String(kProgramVersion));
    QFont font = QApplication::font();
    font.setPixelSize(14);
    version->setFont(font);
    version->setBrush(Qt::white);
    version->setPos(0, 465);
    m_updateDialog->setGeometry(QRect(QPoint(0, 200), QPoint(269, 349)));
    m_dialogFile->setGeometry(QRect(QPoint(20, 200), QPoint(249, 449)));
    m_view->show();
    QCoreApplication::processEvents();
    beeperForceOnOneTime();
}

void KorvelBoot::func_getInfo_new() {
    const QStringList names = m_dialogFile->scanFile();
    if (names.size() == 1) {
        m_packagePath = BootPaths::path(BootPaths::kUpdateDir) + names.first();
        offer();
    } else {
        m_state = EnumState::Choosing;
        m_dialogFile->Show(names);
    }
}

void KorvelBoot::func_getInfo_current() {
    m_current = VersionRecord::read(BootPaths::path(BootPaths::kCurrentRecord));
}

void KorvelBoot::offer() {
    PackageFiles::extractRecord(m_packagePath);
    m_new = VersionRecord::read(QLatin1String(BootPaths::kNewRecord));
    func_getInfo_current();
    const bool second = VersionRecord::isSecondVariant(m_current);
    const QString current = VersionRecord::text(m_current, second);
    const QString offered = VersionRecord::text(m_new, second);
    m_updateDialog->setVersions(QStringLiteral(" ver ") + current,
                                QStringLiteral(" ver ") + offered);
    const EnumOffer choice = VersionRecord::compare(current, offered, second,
                                                    BootPaths::exists(BootPaths::kForceUpdate));
    if (choice == EnumOffer::Skip) {
        end(0);
        return;
    }
    m_state = EnumState::Confirming;
    m_updateDialog->showWithFocus(choice == EnumOffer::FocusYes);
}

void KorvelBoot::slot_DialogFileNameGet_kup(const QString& name) {
    if (m_state != EnumState::Choosing) return;
    m_packagePath = BootPaths::path(BootPaths::kUpdateDir) + name;
    m_dialogFile->hide();
    offer();
}

void KorvelBoot::slot_Dialog_EscKeyPressed() {
    if (m_state != EnumState::Choosing) return;
    clicks(2);
    end(0);
}

void KorvelBoot::slot_buttonClick_no() {
    if (m_state == EnumState::Failed) end(1);
    if (m_state != EnumState::Confirming) return;
    m_updateDialog->hideButtons();
    m_updateDialog->setProgress(100, 100, QStringLiteral("%p%"));
    m_updateDialog->setStatus(TrResource::getTrString(EnumText::UpdateCancelled) +
                              QStringLiteral(" !"));
    QCoreApplication::processEvents();
    clicks(2);
    end(0);
}

void KorvelBoot::beeperForceOnOneTime() {
    // Only a beeper that is there: on a development machine the file is usually missing.
    QFile beeper(BootPaths::path(BootPaths::kBeeper));
    for (const char* level : {"1\n", "0\n"}) {
        if (!beeper.open(QIODevice::WriteOnly | QIODevice::ExistingOnly)) return;
        beeper.write(level);
        beeper.close();
    }
}

void KorvelBoot::clicks(int count) {
    for (int i = 0; i < count; ++i)
        beeperForceOnOneTime();
}

void KorvelBoot::end(int exitCode) {
    if (m_state == EnumState::Ending) return;
    m_state = EnumState::Ending;
    emit signal_finished(exitCode);
}

#pragma once

#include "version_record.h"

#include <QObject>
#include <QString>

class QGraphicsScene;
class QGraphicsView;
class PackageInstaller;
class UxDialogFile;
class UxUpdateDialog;

// The update program: finds an update package on the SD card, shows the installed and the
// offered version, asks, and installs the package into /opt/korvel with the configuration
// migrated when the generation changes. It ends through signal_finished with the process's
// exit status: 0 for nothing to do, cancelled or installed; 1 after a failed installation
// (the old application kept) once a key has been pressed.
class KorvelBoot : public QObject {
    Q_OBJECT
public:
    explicit KorvelBoot(QObject* parent = nullptr);
    ~KorvelBoot() override;

    // The start sequence; run it from the event loop.
    void start();
    QGraphicsView* view() const { return m_view; }

    static constexpr const char* kProgramVersion = "1.12";

    bool func_checkUpdateFileExist();
    void func_init();
    void func_getInfo_new();
    void func_getInfo_current();
    void func_updateNewVersion();
    void beeperForceOnOneTime();

signals:
    void signal_finished(int exitCode);

public slots:
    void slot_buttonClick_yes();
    void slot_buttonClick_no();
    void slot_DialogFileNameGet_kup(const QString& name);
    void slot_Dialog_EscKeyPressed();

private:
    enum class EnumState { Starting, Choosing, Confirming, Installing, Failed, Ending };

    void offer();
    void slot_installProgress(qint64 stagedKb);
    void slot_installFinished(bool ok, const QString& reason);
    void clicks(int count);
    void end(int exitCode);

    EnumState m_state = EnumState::Starting;
    QString m_packagePath;
    StructVersion m_current;
    StructVersion m_new;
    QString m_installedSize;
    QString m_totalSize;
    int m_totalHundreds = 0;
    QGraphicsScene* m_scene;
    QGraphicsView* m_view;
    UxUpdateDialog* m_updateDialog;
    UxDialogFile* m_dialogFile;
    PackageInstaller* m_installer = nullptr;
};

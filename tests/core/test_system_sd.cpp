#include "core/base/global.h"
#include "core/korvel.h"
#include "korvel_test.h"
#include "platform/platform.h"
#include "platform/sd_mount_thread.h"
#include "test_root.h"
#include "ui/status_icons.h"

#include <QDir>
#include <QFileInfo>
#include <QGraphicsPixmapItem>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace {
// The card is seen within about a second; the margin covers a loaded machine.
constexpr int kSeenMs = 2500;

bool allFolders(const QString& base) {
    for (const char* folder : SdMountThread::kFolders) {
        if (!QFileInfo(base + QLatin1String(folder).mid(7)).isDir()) return false;
    }
    return true;
}
}  // namespace

class TestSystemSd : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Platform::setBackend(Platform::Backend::Virtual); }

    void card_insertMountsRemoveUnmountsAndFoldersComeBack() {
        TestRoot root;
        const QString node = root.path("/dev/mmcblk0p1");
        QDir().mkpath(root.path("/dev"));
        SdMountThread thread;
        thread.start();
        QTest::qWait(300);
        QVERIFY(!thread.haveMountSD());

        QVERIFY(QDir().mkpath(node));  // insert
        QTRY_VERIFY_WITH_TIMEOUT(thread.haveMountSD(), kSeenMs);
        QVERIFY(QFileInfo(root.path("/mnt/sd")).isSymLink());
        QVERIFY(allFolders(root.path("/mnt/sd")));
        QVERIFY(allFolders(node));  // the folders are on the card itself

        QVERIFY(QDir(node).removeRecursively());  // remove
        QTRY_VERIFY_WITH_TIMEOUT(!thread.haveMountSD(), kSeenMs);
        QVERIFY(!QFileInfo(root.path("/mnt/sd")).isSymLink());
        QVERIFY(!allFolders(root.path("/mnt/sd")));

        QVERIFY(QDir().mkpath(node));  // a fresh, empty card
        QTRY_VERIFY_WITH_TIMEOUT(thread.haveMountSD(), kSeenMs);
        QVERIFY(allFolders(node));

        thread.stop();
        QVERIFY(thread.isFinished());
    }

    void card_presentAtStartIsMountedAtOnce() {
        TestRoot root;
        QVERIFY(QDir().mkpath(root.path("/dev/mmcblk0p1")));
        SdMountThread thread;
        thread.start();
        QTRY_VERIFY_WITH_TIMEOUT(thread.haveMountSD(), 500);
    }

    void stop_endsTheWatchAtOnce() {
        TestRoot root;
        SdMountThread thread;
        thread.start();
        QTest::qWait(100);
        thread.stop();  // inside the one-second pause
        QVERIFY(thread.isFinished());
    }

    void controller_showsTheSdIconAndEndsItsThread() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        auto* k = new Korvel;
        k->mainTimer()->stop();
        QPointer<SdMountThread> thread = k->sdThread();
        QVERIFY(thread && thread->isRunning());
        QGraphicsPixmapItem* icon = k->statusIcons().icon(1);
        k->system_checkState();
        QVERIFY(!icon->isVisible());
        QVERIFY(QDir().mkpath(root.path("/dev/mmcblk0p1")));
        QTRY_VERIFY_WITH_TIMEOUT((k->system_checkState(), icon->isVisible()), kSeenMs);
        delete k;
        QVERIFY(thread.isNull());
    }

    void controller_threadStopsWhenTheEventLoopEnds() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.mainTimer()->stop();
        QVERIFY(k.sdThread()->isRunning());
        QTimer::singleShot(50, [] { QCoreApplication::quit(); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(k.sdThread()->isFinished());
    }
};

KORVEL_TEST_MAIN(TestSystemSd)
#include "test_system_sd.moc"

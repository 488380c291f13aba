// The handset program run as a user would, under a temporary root that a careless user or a
// hostile environment has prepared: odd root names, special files where files belong, damaged
// settings, a card with a huge command list. Nothing may hang, escape the root or pretend.
#include "base/global.h"
#include "base/tr_resource.h"
#include "core/korvel.h"
#include "korvel_test.h"
#include "navi/navi_file.h"
#include "platform/versions.h"
#include "test_root.h"
#include "ui/kit/dialog_host.h"
#include "ui/kit/ux_dialog_debug_window.h"
#include "ui/kit/ux_dialog_hint.h"
#include "ui/screens/ux_sub_menu_multi_target.h"
#include "ui/screens/ux_sub_menu_route.h"
#include "ui/screens/ux_sub_menu_waypoint.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

struct StructRun {
    int exitCode = -1;  // -100: did not end in time
    QByteArray output;  // standard output and standard error
};

// Runs the program with root and script, in workDir, and waits for it.
StructRun runKorvel(const QString& root, const QString& workDir, const QByteArray& script,
                    bool chooseVirtual = true) {
    const QString scriptFile = workDir + "/script.txt";
    QFile f(scriptFile);
    f.open(QIODevice::WriteOnly);
    f.write(script);
    f.close();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("KORVEL_PLATFORM");
    if (chooseVirtual) env.insert("KORVEL_PLATFORM", "virtual");
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(workDir);
    p.start(KORVEL_BINARY, {"--root", root, "--script", scriptFile});
    StructRun r;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
        r.exitCode = -100;
    } else {
        r.exitCode = p.exitCode();
    }
    r.output = p.readAll();
    return r;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool makeFifo(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

}  // namespace

class TestHostileRoot : public QObject {
    Q_OBJECT
private slots:
    void run_data() {
        QTest::addColumn<QString>("rootName");
        QTest::addColumn<QString>("setup");  // what the root holds before the start
        QTest::addColumn<QString>("says");   // a line the program must print ("" none)
        QTest::addColumn<QString>("never");  // a text it must not print ("" none)
        QTest::addColumn<QString>("backlight");
        const auto row = [](const char* name, const char* root, const char* setup, const char* says,
                            const char* never, const char* light) {
            QTest::newRow(name) << root << setup << says << never << light;
        };
        row("root with a space", "a root", "card", "SD Mount!", "", "100\n");
        row("root with a command in its name", "x;touch escaped;y", "card", "SD Mount!", "",
            "100\n");
        row("stray radio node, no platform chosen", "root", "spidev", "no virtual boat answers at",
            "spidev", "100\n");
        row("configuration is a FIFO", "root", "fifo:/opt/configuration.kcg",
            "/opt/configuration.kcg is not a regular file", "", "100\n");
        row("battery ADC is a FIFO", "root", "fifo:/dev/magic-adc", "", "", "100\n");
        row("colour table is a FIFO", "root", "fifo:/opt/selfcolortable.kct", "", "", "100\n");
        row("damaged configuration", "root", "damaged", "/opt/configuration.kcg is damaged", "",
            "56\n");
        row("settings out of their range", "root", "range", "", "", "100\n");
        row("busy mount point", "root", "busy", "SD card not mounted", "SD Mount!", "100\n");
    }
    void run() {
        QFETCH(QString, rootName);
        QFETCH(QString, setup);
        QFETCH(QString, says);
        QFETCH(QString, never);
        QFETCH(QString, backlight);
        QTemporaryDir work;
        const QString root = work.filePath(rootName);
        QVERIFY(QDir().mkpath(root + "/dev"));
        const QByteArray script = "wait 2000\nquit\n";
        if (setup == "card" || setup == "busy") QVERIFY(QDir().mkpath(root + "/dev/mmcblk0p1"));
        if (setup == "spidev") QVERIFY(writeFile(root + "/dev/spidev1.0", ""));
        if (setup.startsWith("fifo:")) QVERIFY(makeFifo(root + setup.mid(5)));
        if (setup == "damaged")
            QVERIFY(writeFile(root + "/opt/configuration.kcg",
                              "[Sonar]\nbackLight=@Variant(\\0\\0\\0\\x87\nkeyTone=1\n"
                              "[Other]\nhourSystem=1\n[Basic]\ndepthRange=@Variant(\\0\\0\n"
                              "[GPS]\ntimeZone=3\n[Sonar]\nunit=1\nbackLight=5\n"));
        if (setup == "range")
            QVERIFY(writeFile(root + "/opt/configuration.kcg",
                              "[Sonar]\nbackLight=1e30\n[Basic]\ndepthRange=1e30\n"));
        if (setup == "busy") QVERIFY(writeFile(root + "/mnt/sd/left-behind", "x"));

        const StructRun r = runKorvel(root, work.path(), script, setup != "spidev");
        QCOMPARE(r.exitCode, 0);
        if (!says.isEmpty()) QVERIFY2(r.output.contains(says.toUtf8()), r.output.constData());
        if (!never.isEmpty()) QVERIFY2(!r.output.contains(never.toUtf8()), r.output.constData());
        // The backlight shows the level of the settings (9 unless the file sets another).
        QCOMPARE(readFile(root + "/sys/class/backlight/mxs-bl/brightness"), backlight.toUtf8());
        // Nothing outside the root: the work folder holds the root and the script alone.
        QStringList outside = QDir(work.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
        outside.removeAll("script.txt");
        QCOMPARE(outside, QStringList{rootName.section('/', 0, 0)});
        // A card that was mounted has its folders; one that was not got none on the flash.
        if (setup == "card") QVERIFY(QFileInfo(root + "/mnt/sd/Korvel/Record").isDir());
        if (setup == "busy") QVERIFY(!QFileInfo::exists(root + "/mnt/sd/Korvel"));
        // The virtual serial line goes with the program.
        QVERIFY(!QFileInfo(root + "/dev/ttySP0").isSymLink());
    }

    // A save that cannot be written (a FIFO is never opened) is said on screen.
    void saveFailure_isShown_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("blocker");
        for (const char* file : {"/opt/navi.knv", "/opt/configuration.kcg"}) {
            for (const char* blocker : {"fifo", "folder"})
                QTest::newRow(qPrintable(QString(file) + ' ' + blocker)) << file << blocker;
        }
    }
    void saveFailure_isShown() {
        QFETCH(QString, file);
        QFETCH(QString, blocker);
        TestRoot root;
        const QString path = root.path(file);
        QVERIFY(blocker == "fifo" ? makeFifo(path) : QDir().mkpath(path));
        KorvelTest::ExpectedMessage said("could not be saved|configuration not saved");
        Korvel k;
        k.mainTimer()->stop();
        if (file == "/opt/navi.knv") {
            k.navi_setHomePoint(114000000, 480000000);
        } else {
            k.menu_closeMain();
        }
        UxDialogHint* hint = k.dialogs().hint();
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->codeText() + ' ' + hint->text(),
                 "104 " + TrResource::getTrString(TR_SaveFileFailed));
        QCOMPARE(QFileInfo(path).isDir(), blocker == "folder");
        QCOMPARE(said.seen(), 1);
    }

    // Files made elsewhere are read as the handset would have written them: texts no longer
    // than it makes them, impossible times shown as such, serialised values of any type but
    // the float decoded never.
    void foreignFiles_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("shown");  // what is read back
        QTest::addColumn<QString>("says");   // a console line expected ("" none)
        const QByteArray big(1 << 20, 'a');
        const QByteArray text5 = "@Variant(\\0\\0\\0\\n\\0\\0\\0\\x2\\0\\x35)";
        const auto row = [](const char* name, const char* file, const QByteArray& content,
                            const QString& shown, const char* says = "") {
            QTest::newRow(name) << file << content << shown << says;
        };
        const char* wp = "/opt/waypointarray.kwp";
        row("waypoint name of a megabyte", wp, "[000]\nname=" + big + "\n", "aaaaaaaaa 0",
            "waypointarray.kwp is damaged: slots 0");
        row("waypoint file of 10 MB", wp, "[000]\nname=" + big.repeated(10) + "\n", "--------- 0",
            "waypointarray.kwp is damaged");
        row("waypoint depth a serialised text", wp, "[000]\nname=x\ndepth=" + text5 + "\n", "x 0",
            "waypointarray.kwp is damaged: slots 0");
        row("course name and end time", "/opt/waycourse0.kwc",
            "[WayCourse]\ncount=1\nname=" + big + "\nendTime=99999999999999\n",
            "aaaaaaaaa " + TrResource::getTrString(TR_EndTime) + ": -.-");
        row("course end time", "/opt/waycourse0.kwc",
            "[WayCourse]\ncount=1\nname=x\nendTime=99999999999999\n",
            "x " + TrResource::getTrString(TR_EndTime) + ": -.-");
        row("multi-target name", "/opt/multitarget.kmt", "[000]\nname=" + big + "\n", "aaaaaaaaa");
        row("home a serialised int", "/opt/navi.knv",
            "[General]\nhome_lon_d=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\nhome_lat_d=5\n", "0 5");
        row("settings a serialised text", "/opt/configuration.kcg", "[Sonar]\nbackLight=" + text5,
            "9", "configuration.kcg is damaged");
        row("settings float kept", "/opt/configuration.kcg",
            "[Sonar]\nbackLight=@Variant(\\0\\0\\0\\x87@\\xa0\\0\\0)\n", "5");
        row("version of a megabyte", "/opt/korvel/readme.kvc", "[Info]\nVERSION=" + big,
            QString(32, 'a'));
    }
    void foreignFiles() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, shown);
        QFETCH(QString, says);
        TestRoot root;
        QVERIFY(root.writeFile(file, content));
        std::unique_ptr<KorvelTest::ExpectedMessage> said;
        if (!says.isEmpty()) said = std::make_unique<KorvelTest::ExpectedMessage>(says);
        Korvel k;
        k.mainTimer()->stop();
        k.system_loadConfiguration();
        const StructWaypoint w = k.waypointMenu()->getWaypoint(0);
        StructWaypoint target;
        int delay = 0;
        k.multiTargetMenu()->getTargetInfo(0, target, delay);
        const StructHomePosition home = NaviFile::readHome();
        const QMap<QString, QString> readBack = {
            {"/opt/waypointarray.kwp", w.name + ' ' + QString::number(w.depth)},
            {"/opt/waycourse0.kwc",
             k.routeMenu()->store().slot(0).name + ' ' + k.routeMenu()->infoLines().at(2)},
            {"/opt/multitarget.kmt", target.name},
            {"/opt/navi.knv", QString::number(home.lon) + ' ' + QString::number(home.lat)},
            {"/opt/configuration.kcg", QString::number(Global::configuration.backLight)},
            {"/opt/korvel/readme.kvc", Global::getCurrent_app()},
        };
        QCOMPARE(readBack.value(file), shown);
        if (said) QCOMPARE(said->seen(), 1);
    }

    // A command list of megabytes in one line: the debug window takes a packet's worth.
    void debugCommands_areCappedToAPacket() {
        TestRoot root;
        QVERIFY(root.writeFile("/mnt/sd/cmd.txt", QByteArray(5 << 20, 'A') + "\n$HMSTP*00\n"));
        Korvel k;
        k.mainTimer()->stop();
        k.dialog_debugWindow_loadCmdString();
        QCOMPARE(k.dialogs().debugWindow()->currentCommand(), QString(255, 'A'));
    }
};

KORVEL_TEST_MAIN(TestHostileRoot)
#include "test_hostile_root.moc"

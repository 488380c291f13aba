// The handset program run as a user would, under a temporary root that a careless user or a
// hostile environment has prepared: odd root names, special files where files belong, damaged
// settings, a card with a huge command list. Nothing may hang, escape the root or pretend.
#include "core/korvel.h"
#include "korvel_test.h"
#include "test_root.h"
#include "ui/dialog_host.h"
#include "ui/ux_dialog_debug_window.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

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

#include "boot_root.h"
#include "korvel_test.h"

#include <QImage>

// The korvelboot program itself: its options, its script and its exit status.
class TestBootProgram : public QObject {
    Q_OBJECT
private slots:
    void run_data();
    void run();
};

void TestBootProgram::run_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("script");  // "" runs without --script; ROOT stands for the root
    QTest::addColumn<bool>("rootFromEnvironment");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output_");      // "-": nothing on the console
    QTest::addColumn<QStringList>("created");  // files the run leaves in the root
    QTest::newRow("bad_script") << QStringList{"a.kup:2.01"} << "wait 10\njump 5\n"
                                << false << 2 << "script line 2: cannot read \"jump 5\""
                                << QStringList{};
    QTest::newRow("no_package") << QStringList{} << "" << false << 0 << "!updateTemp"
                                << QStringList{};
    QTest::newRow("shot_then_install")
        << QStringList{"a.kup:2.01"} << "shot ROOT/dialog.png\nkey enter\nwait 60000\nquit\n"
        << true << 0 << "" << QStringList{"/dialog.png", "/mnt/sd/Korvel/Update/backup.kub"};
}

void TestBootProgram::run() {
    QFETCH(QStringList, files);
    QFETCH(QString, script);
    QFETCH(bool, rootFromEnvironment);
    BootRoot root("1.05");
    for (const QString& file : files)
        root.addPackage(file);
    root.write("/script.txt", QString(script).replace("ROOT", root.path("")).toUtf8());
    QProcess boot;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (rootFromEnvironment) env.insert("KORVEL_ROOT", root.path(""));
    boot.setProcessEnvironment(env);
    boot.setProcessChannelMode(QProcess::MergedChannels);
    QStringList args;
    if (!rootFromEnvironment) args << "--root" << root.path("");
    if (!script.isEmpty()) args << "--script" << root.path("/script.txt");
    boot.start(KORVEL_BOOT_BINARY, args);
    QVERIFY(boot.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(boot.readAll());
    QTEST(boot.exitCode(), "exitCode");
    QFETCH(QString, output_);
    const bool absent = output_.startsWith('!');
    QVERIFY2(output.contains(output_.mid(absent ? 1 : 0)) != absent, qPrintable(output));
    QFETCH(QStringList, created);
    for (const QString& file : created) {
        QVERIFY2(QFileInfo::exists(root.path(file)), qPrintable(file));
        if (file.endsWith(".png")) QCOMPARE(QImage(root.path(file)).size(), QSize(272, 480));
    }
}

KORVEL_TEST_MAIN(TestBootProgram)
#include "test_boot_program.moc"

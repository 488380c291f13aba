#include "core/app_setup.h"
#include "core/script_runner.h"
#include "korvel_test.h"
#include "ui/ux_dialog.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private:
    QTemporaryDir tmp;

    QString writeScript(const QString& name, const QByteArray& text) {
        const QString path = tmp.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return path;
    }

    int runKorvel(const QStringList& args, QByteArray* err = nullptr) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(tmp.path());
        p.start(KORVEL_BINARY, QStringList{"--root", tmp.filePath("root")} + args);
        if (!p.waitForFinished(30000)) {
            p.kill();
            return -100;
        }
        if (err) *err = p.readAllStandardError();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -200;
    }

private slots:
    void missingFontAndEmptyStyleSheet_keepDefaults() {
        const QFont before = QApplication::font();
        QFile empty(tmp.filePath("empty.qss"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        const auto r = AppSetup::apply(*qApp, tmp.filePath("Regular.otf"), empty.fileName());
        QVERIFY(!r.fontLoaded);
        QVERIFY(!r.styleSheetSet);
        QCOMPARE(QApplication::font(), before);
        QVERIFY(qApp->styleSheet().isEmpty());
        QVERIFY(!r.styleName.isEmpty());
    }

    void builtInStyleSheet_isApplied() {
        const auto r = AppSetup::apply(*qApp, tmp.filePath("missing.otf"));
        QVERIFY(r.styleSheetSet);
        QVERIFY(qApp->styleSheet().contains("QScrollBar"));
        qApp->setStyleSheet(QString());
    }

    void scriptParser_reportsTheBadLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("badLine");
        QTest::newRow("good")
            << "# demo\nwait 100\nkey up\nhold esc 900\npress change\nrelease change\n"
               "shot a.png\nquit\n"
            << 0;
        QTest::newRow("press without key") << "press\n" << 1;
        QTest::newRow("unknown verb") << "wait 10\n\njump 3\n" << 3;
        QTest::newRow("unknown key") << "key launch\n" << 1;
        QTest::newRow("negative wait") << "wait -5\n" << 1;
        QTest::newRow("hold without time") << "key up\nhold ap\n" << 2;
        QTest::newRow("shot not png") << "shot screen.bmp\n" << 1;
    }
    void scriptParser_reportsTheBadLine() {
        QFETCH(QString, text);
        QFETCH(int, badLine);
        ScriptRunner s(nullptr);
        QCOMPARE(s.parse(text), badLine == 0);
        if (badLine)
            QVERIFY2(s.error().contains(QString("line %1").arg(badLine)), qPrintable(s.error()));
    }

    void program_playsAScriptAndSavesTheScreen() {
        const QString shot = tmp.filePath("out/screen.png");
        const QString held = tmp.filePath("out/held.png");
        const QString script =
            writeScript("demo.txt", "wait 300\nkey change\nkey down\nhold esc 200\nshot " +
                                        shot.toUtf8() + "\npress esc\nwait 1500\nshot " +
                                        held.toUtf8() + "\nrelease esc\nquit\n");
        QCOMPARE(runKorvel({"--script", script}), 0);
        // The power-off dialog, a window of its own, is in the picture where the screen shows
        // it: its title band at (130, 200).
        const QColor title(UxDialog::titleColor());
        QCOMPARE(QImage(held).pixelColor(130, 200), title);
        QVERIFY(QImage(shot).pixelColor(130, 200) != title);
        const QImage img(shot);
        QCOMPARE(img.size(), QSize(272, 480));
        // Not a blank frame: the start picture has more than a handful of colours.
        QSet<QRgb> colours;
        for (int y = 0; y < img.height(); y += 4)
            for (int x = 0; x < img.width(); x += 4)
                colours.insert(img.pixel(x, y));
        QVERIFY(colours.size() > 20);
    }

    void program_refusesABadScriptWithItsLineNumber() {
        const QString script = writeScript("bad.txt", "wait 10\nkey up\njump down\n");
        QByteArray err;
        QCOMPARE(runKorvel({"--script", script}, &err), 2);
        QVERIFY2(err.contains("line 3"), err.constData());
    }

    void program_startsWithoutFontAndReachesItsFirstTick() {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(tmp.path());  // no Regular.otf here
        p.start(KORVEL_BINARY, {"--root", tmp.filePath("root"), "--exit-after-first-tick"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().contains("first-tick"));
    }
};

KORVEL_TEST_MAIN(TestStartup)
#include "test_startup.moc"

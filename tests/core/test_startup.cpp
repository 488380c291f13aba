#include "core/app_setup.h"
#include "core/script_runner.h"
#include "korvel_test.h"
#include "ui/kit/ux_dialog.h"

#include <QFont>
#include <QImage>
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

    // Runs the program (offscreen, as this test runs) under its own root: its exit code (-1
    // when it hangs or crashes) and what it printed.
    int runKorvel(const QStringList& args, QByteArray* output = nullptr) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.setWorkingDirectory(tmp.path());  // no Regular.otf here
        p.start(KORVEL_BINARY, QStringList{"--root", tmp.filePath("root")} + args);
        const bool ended = p.waitForFinished(30000);
        if (output) *output = p.readAll();
        return ended && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

private slots:
    // Without the font file the default font stays; an empty style sheet file is no style
    // sheet, and without one the built-in sheet is applied.
    void fontAndStyleSheet_fallBack() {
        const QFont before = QApplication::font();
        const QString empty = writeScript("empty.qss", QByteArray());
        auto r = AppSetup::apply(*qApp, tmp.filePath("Regular.otf"), empty);
        QVERIFY(!r.fontLoaded && !r.styleSheetSet && !r.styleName.isEmpty());
        QCOMPARE(QApplication::font(), before);
        QVERIFY(qApp->styleSheet().isEmpty());
        r = AppSetup::apply(*qApp, tmp.filePath("missing.otf"));
        QVERIFY(r.styleSheetSet);
        QVERIFY(qApp->styleSheet().contains("QScrollBar"));
        qApp->setStyleSheet(QString());
    }

    void scriptParser_reportsTheBadLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("badLine");
        QTest::newRow("good")
            << "# demo\nwait 100\nkey up\nhold esc 900\npress change\nrelease change\n"
               "shot a.png\nboat fault  weak\nset dataExport 1\nset timeZone -3.5\n"
               "set textDataToShow_5 8\nquit\n"
            << 0;
        QTest::newRow("press without key") << "press\n" << 1;
        QTest::newRow("unknown verb") << "wait 10\n\njump 3\n" << 3;
        QTest::newRow("unknown key") << "key launch\n" << 1;
        QTest::newRow("negative wait") << "wait -5\n" << 1;
        QTest::newRow("hold without time") << "key up\nhold ap\n" << 2;
        QTest::newRow("shot not png") << "shot screen.bmp\n" << 1;
        QTest::newRow("boat without a command") << "wait 1\nboat\n" << 2;
        QTest::newRow("set: no such field") << "set dataExports 1\n" << 1;
        QTest::newRow("set: not a choice") << "set dataExport 3\n" << 1;
        QTest::newRow("set: not a whole number") << "set dataExport 1.5\n" << 1;
        QTest::newRow("set: out of range") << "set gpsFilter 0\n" << 1;
        QTest::newRow("set: no such panel") << "set textDataToShow_6 1\n" << 1;
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
            // The start-up check's dialog gives its verdict after 30 ticks; a key then closes it.
            writeScript("demo.txt",
                        "wait 4500\nkey enter\nkey change\nkey down\nhold esc 200\nshot " +
                            shot.toUtf8() + "\npress esc\nwait 1500\nshot " + held.toUtf8() +
                            "\nrelease esc\nquit\n");
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
        QByteArray output;
        QCOMPARE(runKorvel({"--script", script}, &output), 2);
        QVERIFY2(output.contains("line 3"), output.constData());
    }
};

KORVEL_TEST_MAIN(TestStartup)
#include "test_startup.moc"

// The menus of the real program against the virtual boat program, driven by scripts: every
// page of models 4, 5 and d with a picture of each, a setting that survives a restart, and the
// boat compass calibrated through the sonar box.
#include "korvel_test.h"
#include "vboat_session.h"

#include <QImage>
#include <QSettings>
#include <QtTest>

namespace {

QString keys(const QString& name, int n = 1) {
    return QString("key %1\n").arg(name).repeated(n);
}

// Past the start-up check and the home message of the first fix.
const QString kStart = "wait 11000\nkey esc\n";
// A second start asks whether to use the home saved by the first ("YES"), then says it is set.
const QString kRestart = "wait 11000\nkey enter\nwait 500\nkey esc\n";
// The main menu with the advanced mode switched on, on its basic page again.
const QString kAdvanced =
    keys("menu") + keys("down", 7) + keys("enter") + keys("down") + keys("enter") + keys("esc");

}  // namespace

class TestMenuSession : public QObject {
    Q_OBJECT
private slots:
    // Every page in the ring and the quick page, as the model has them.
    void everyPage_data() {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("pages");  // the rows that tell the models apart
        QTest::newRow("4") << "4"
                           << QStringList{
                                  "menu sonar Depth Range\\|Sonar Gain\\|Load New Color",
                                  "menu quick .*\\|Overlap Data\\|Depth Map\\|Sonar History\n"};
        QTest::newRow("5")
            << "5"
            << QStringList{"menu sonar Depth Range\\|Sonar Gain\\|Sonar Beam",
                           "menu quick .*\\|Multi-Target Autopilot\\|Depth Map\\|Sonar History\n"};
        QTest::newRow("d") << "d"
                           << QStringList{
                                  "menu sonar .*\\|Chart Speed -NT\\|Next\\|Exit",
                                  "menu quick .*\\|Course Cruise\\|Depth Map\\|Sonar History\n"};
    }
    void everyPage() {
        QFETCH(QString, model);
        QFETCH(QStringList, pages);
        VboatSession s;
        QFile m(s.root() + "/opt/model.kvc");
        QVERIFY(m.open(QIODevice::WriteOnly));
        m.write("[Info]\nMODEL=" + model.toLatin1() + "\n");
        m.close();
        const QStringList types{"basic", "sonar", "gps", "ap", "system"};
        QString script = kStart + kAdvanced;
        for (const QString& type : types)
            script += "shot " + s.dir() + "/" + type + ".png\n" + keys("change");
        script += keys("esc") + keys("enter") + "shot " + s.dir() + "/quick.png\n" + keys("esc") +
                  "quit\n";
        const QString log = s.run(script);
        QVERIFY2(VboatSession::inOrder(
                     log, {"menu basic Sensitivity", pages[0], "menu gps GPS Filter",
                           "menu ap Wiring Test", "menu system Simulator", "menu basic", pages[1]}),
                 qPrintable(log));
        QImage basic(s.dir() + "/basic.png");
        QCOMPARE(basic.size(), QSize(272, 480));
        const QStringList others = types.mid(1) << "quick";
        for (const QString& type : others) {
            const QImage page(s.dir() + "/" + type + ".png");
            QVERIFY2(page.size() == basic.size() && page != basic, qPrintable(type));
        }
    }

    // A setting changed in the menu is in the file when the menu is left, and still there,
    // and shown, after a restart.
    void setting_survivesARestart() {
        VboatSession s;
        s.run(kStart + keys("menu") + keys("down") + keys("enter") + keys("right", 2) +
              keys("enter") + keys("esc") + "quit\n");
        const QString file = s.root() + "/opt/configuration.kcg";
        QCOMPARE(QSettings(file, QSettings::IniFormat).value("Basic/surfaceClarify").toFloat(),
                 2.0f);
        const QString log =
            s.run(kStart + keys("menu") + keys("down") + keys("enter") + keys("esc", 2) + "quit\n");
        QVERIFY2(log.contains("editor Surface Clarify 2\n"), qPrintable(log));
        QCOMPARE(QSettings(file, QSettings::IniFormat).value("Basic/surfaceClarify").toFloat(),
                 2.0f);
    }

    // The boat confirms the command and reports its result: success, then a storage failure.
    void boatCompass_calibratedThroughTheSonarBox() {
        VboatSession s;
        const QString calibrate = keys("enter") + "wait 6000\n";
        const QString log =
            s.run("boat version sonar 130\n" + kStart + kAdvanced + keys("change", 2) +
                  keys("down", 8) + calibrate + "shot " + s.dir() + "/cali.png\n" + keys("enter") +
                  "boat compass flash\n" + calibrate + keys("esc", 2) + "quit\n");
        QVERIFY2(VboatSession::inOrder(log, {"calibration started, sonar box firmware 130",
                                             "boat compass calibrated", "602 Flash Error"}),
                 qPrintable(log));
        QVERIFY2(VboatSession::inOrder(s.traced(), {"boat 0xA4", "says sonar 0xC3 CCR,0",
                                                    "boat 0xA4", "says sonar 0xC3 CCR,2"}),
                 qPrintable(s.traced()));
    }
};

KORVEL_TEST_MAIN(TestMenuSession)
#include "test_menu_session.moc"

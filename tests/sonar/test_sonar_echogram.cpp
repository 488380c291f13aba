#include "core/base/global.h"
#include "core/korvel.h"
#include "core/ux_scene.h"
#include "golden.h"
#include "korvel_test.h"
#include "sonar/item_axis.h"
#include "sonar/item_image.h"
#include "sonar/item_text.h"
#include "sonar/sonar_palette.h"
#include "sonar/sonar_picture.h"
#include "sonar/ux_sonar.h"
#include "sonar_test_frames.h"
#include "start_check.h"
#include "test_root.h"
#include "ui/dialog_host.h"
#include "ui/ux_dialog_hint.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTimer>
#include <QtTest>

namespace {
const QString kCard = QStringLiteral("/mnt/sd/Korvel/Color/");

// A table with every entry i of each palette set to i x 3 + its group's number, except the
// entry left out (group/index) to make it incomplete.
QByteArray colorTableText(const QString& reload, const QString& background,
                          const QString& missing = QString()) {
    QByteArray ini;
    if (!reload.isEmpty()) ini += "needReload=" + reload.toLatin1() + "\n";
    if (!background.isEmpty()) ini += "background=" + background.toLatin1() + "\n";
    const char* const groups[3] = {"surface", "fish", "bottom"};
    for (int g = 0; g < 3; ++g) {
        ini += QByteArray("[") + groups[g] + "]\n";
        for (int i = 0; i < 255; ++i) {
            if (missing == QStringLiteral("%1/%2").arg(groups[g]).arg(i)) continue;
            ini += QByteArray::number(i) + "=" + QByteArray::number(i * 3 + g) + "\n";
        }
    }
    return ini;
}

}  // namespace

class TestSonarEchogram : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Configuration::applyDefaults(Global::configuration);
        SonarPalette::resetUser();
    }

    // A table from the card: taken with its background, or, when an entry is missing (a copy
    // cut short), refused with the palettes in use and the handset's own table kept.
    void colorTable_data() {
        QTest::addColumn<QString>("reload");
        QTest::addColumn<QString>("background");
        QTest::addColumn<QString>("missing");
        QTest::addColumn<int>("backgroundAfter");
        QTest::addColumn<int>("taken");  // 1 palettes taken, 0 file taken only, -1 refused
        QTest::newRow("reload, white") << "true"
                                       << "0"
                                       << "" << 0 << 1;
        QTest::newRow("reload, keep background") << "true"
                                                 << "3"
                                                 << "" << 1 << 1;
        QTest::newRow("background out of range") << "true"
                                                 << "9"
                                                 << "" << 1 << 1;
        QTest::newRow("no needReload") << ""
                                       << "2"
                                       << "" << 2 << 0;
        QTest::newRow("needReload false") << "false"
                                          << "0"
                                          << "" << 0 << 0;
        QTest::newRow("an entry missing") << "true"
                                          << "0"
                                          << "fish/254" << 1 << -1;
        QTest::newRow("a group missing") << "true"
                                         << "0"
                                         << "bottom/0" << 1 << -1;
    }
    void colorTable() {
        QFETCH(QString, reload);
        QFETCH(QString, background);
        QFETCH(QString, missing);
        QFETCH(int, backgroundAfter);
        QFETCH(int, taken);
        TestRoot root;
        QDir().mkpath(root.path("/opt"));
        Korvel k;
        k.mainTimer()->stop();
        Global::configuration.colorScheme = 0;
        const QByteArray table = colorTableText(reload, background, missing);
        QVERIFY(root.writeFile(kCard + "lake.kct", table));
        k.dialog_file_nameGet("kct", kCard + "lake.kct");  // as the file chooser hands it over

        QVERIFY(k.dialogs().hint()->isVisible());
        QCOMPARE(Global::configuration.backgroundColor, backgroundAfter);
        QCOMPARE(colorArray_rgb565_fish_user[100] == 301u, taken == 1);
        if (taken < 0) {
            QVERIFY(k.dialogs().hint()->text().contains("Read file failed"));
            QCOMPARE(Global::configuration.colorScheme, 0);
            QVERIFY(root.readFile("/opt/selfcolortable.kct").isEmpty());
            return;
        }
        QVERIFY(k.dialogs().hint()->text().contains("Read file successfully"));
        QCOMPARE(root.readFile("/opt/selfcolortable.kct"), table);
        QCOMPARE(Global::configuration.colorScheme, 2);
    }

    // The handset's own table cut short (a power cut while it was written): the built-in user
    // palettes stay, the echogram is never painted black on black.
    void colorTable_damagedAtStartKeepsThePalettes() {
        TestRoot root;
        KorvelTest::ExpectedMessage said("missing or unreadable fish entry");
        QVERIFY(root.writeFile("/opt/selfcolortable.kct", colorTableText("true", "0", "fish/3")));
        const uint32_t before = colorArray_rgb565_fish_user[3];
        Korvel k;
        k.mainTimer()->stop();
        QCOMPARE(colorArray_rgb565_fish_user[3], before);
        QVERIFY(before != 0);
        QCOMPARE(said.seen(), 1);
    }

    void colorTable_copyFails() {
        TestRoot root;
        QDir().mkpath(root.path("/opt"));
        Korvel k;
        k.mainTimer()->stop();
        Global::configuration.colorScheme = 1;
        k.sonar_getFile_kct(kCard + "missing.kct");
        QCOMPARE(Global::configuration.colorScheme, 1);
        QVERIFY(k.dialogs().hint()->isVisible());
        QVERIFY(k.dialogs().hint()->text().contains("Read file failed"));
        QVERIFY(root.readFile("/opt/selfcolortable.kct").isEmpty());
    }

    void columnIndex_outsideTheHistoryIsEmpty() {
        TestRoot root;
        Korvel k;
        k.mainTimer()->stop();
        kvl_w f = sonarTestFrame(1000, 500, 10);
        for (int r = 0; r < 240; ++r)
            sonarTestSamples(f)[r] = 100;
        for (int i = 0; i < 246; ++i)
            k.history().feed(f);
        for (int index : {-1, 0, 246}) {
            const SonarColumn c = k.sonar_getSonarInfo(index, false);
            QCOMPARE(c.bottomRow, 0);
            QCOMPARE(int(c.samples[100]), 0);
        }
        QCOMPARE(k.sonar_getSonarInfo(1, false).surfaceRow, 10);
    }

    void tick_scrollsTheEchogramAndRefreshesTheReadouts() {
        TestRoot root;
        Global::configuration.simulator = 1;
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        UxSonar* sonar = k.sonar();
        QVERIFY(sonar->isVisible());
        QCOMPARE(sonar->pos(), QPointF(0, 0));
        uint16_t* px = sonar->itemImage()->buffer();
        const int w = sonar->itemImage()->width();
        px[120 * w + 100] = 0x1234;
        k.setTickCount(1);  // ticks 2 (map), 3, 4 (read-outs)
        for (int i = 0; i < 3; ++i)
            k.slot_timeout_main();
        QCOMPARE(px[120 * w + 97], uint16_t(0x1234));
        QVERIFY(k.values().current_depth > 0);
        const StructSonarReadout want = SonarReadout::digits(
            k.values().current_depth, k.values().water_temp, k.values().boat_voltage, false, false);
        const StructSonarReadout& got = sonar->itemText()->readout();
        QCOMPARE(QList<int>(got.depth, got.depth + 4), QList<int>(want.depth, want.depth + 4));
        QCOMPARE(QList<int>(got.temperature, got.temperature + 5),
                 QList<int>(want.temperature, want.temperature + 5));
        QCOMPARE(QList<int>(got.battery, got.battery + 3),
                 QList<int>(want.battery, want.battery + 3));
    }

    // 300 ticks of the built-in recording of the virtual boat's lake: the echogram picture
    // (columns, bottom line, zones) against its reference.
    void picture_after300Ticks() {
        TestRoot root;
        Global::configuration.simulator = 1;
        Korvel k;
        k.mainTimer()->stop();
        passStartCheck(k);
        for (int i = 0; i < 300; ++i)
            k.slot_timeout_main();
        QCOMPARE(k.sonar()->itemAxis()->loRange(), int(k.picture().displayRange()));
        GOLDEN_COMPARE_IMAGE("echogram_300_ticks.png", k.sonar()->itemImage()->image());
    }
};

QObject* makeSonarEchogramTest() {
    return new TestSonarEchogram;
}

#include "test_sonar_echogram.moc"

#include "core/base/global.h"
#include "core/korvel.h"
#include "core/ux_scene.h"
#include "sonar/item_axis.h"
#include "sonar/item_image.h"
#include "sonar/item_text.h"
#include "sonar/sonar_palette.h"
#include "sonar/sonar_picture.h"
#include "sonar/ux_sonar.h"
#include "sonar_test_frames.h"
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

QByteArray colorTableText(const QString& reload, const QString& background) {
    QByteArray ini;
    if (!reload.isEmpty()) ini += "needReload=" + reload.toLatin1() + "\n";
    if (!background.isEmpty()) ini += "background=" + background.toLatin1() + "\n";
    ini += "[surface]\n0=1234\n254=4321\n[fish]\n7=2016\n[bottom]\n2=63488\n";
    return ini;
}

// The echogram as the screen shows it: the scene's top 272 x 240 pixels.
QImage echogramShot(Korvel& k) {
    QImage img(272, 240, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    QPainter p(&img);
    k.scene()->render(&p, QRectF(0, 0, 272, 240), QRectF(0, 0, 272, 240));
    return img;
}
}  // namespace

class TestSonarEchogram : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Configuration::applyDefaults(Global::configuration);
        SonarPalette::resetUser();
    }

    void colorTable_data() {
        QTest::addColumn<QString>("reload");
        QTest::addColumn<QString>("background");
        QTest::addColumn<bool>("palettesTaken");
        QTest::addColumn<int>("backgroundAfter");
        QTest::newRow("reload, white") << "true"
                                       << "0" << true << 0;
        QTest::newRow("reload, keep background") << "true"
                                                 << "3" << true << 1;
        QTest::newRow("no needReload") << ""
                                       << "2" << false << 2;
        QTest::newRow("needReload false") << "false"
                                          << "0" << false << 0;
        QTest::newRow("background out of range") << "true"
                                                 << "9" << true << 1;
    }
    void colorTable() {
        QFETCH(QString, reload);
        QFETCH(QString, background);
        QFETCH(bool, palettesTaken);
        QFETCH(int, backgroundAfter);
        TestRoot root;
        QDir().mkpath(root.path("/opt"));
        Korvel k;
        k.mainTimer()->stop();
        Global::configuration.colorScheme = 0;
        const uint32_t before = colorArray_rgb565_fish_user[100];
        QVERIFY(root.writeFile(kCard + "lake.kct", colorTableText(reload, background)));
        k.dialog_file_nameGet("kct", kCard + "lake.kct");  // as the file chooser hands it over

        QCOMPARE(root.readFile("/opt/selfcolortable.kct"), colorTableText(reload, background));
        QCOMPARE(Global::configuration.colorScheme, 2);
        QCOMPARE(Global::configuration.backgroundColor, backgroundAfter);
        QVERIFY(k.dialogs().hint()->isVisible());
        QVERIFY(k.dialogs().hint()->text().contains("Read file successfully"));
        if (palettesTaken) {
            QCOMPARE(colorArray_rgb565_surface_user[0], 1234u);
            QCOMPARE(colorArray_rgb565_surface_user[254], 4321u);
            QCOMPARE(colorArray_rgb565_fish_user[7], 2016u);
            QCOMPARE(colorArray_rgb565_fish_user[100], 0u);  // a missing key gives 0
            QCOMPARE(colorArray_rgb565_bottom_user[2], 63488u);
        } else {
            QCOMPARE(colorArray_rgb565_fish_user[100], before);
            QCOMPARE(colorArray_rgb565_surface_user[0], 0x0050u);
        }
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

    // 300 ticks of the built-in recording of the virtual boat's lake.
    void screenshot_after300Ticks() {
        TestRoot root;
        Global::configuration.simulator = 1;
        Korvel k;
        k.mainTimer()->stop();
        for (int i = 0; i < 300; ++i)
            k.slot_timeout_main();
        QVERIFY(k.picture().displayRange() >= 3);
        QCOMPARE(k.sonar()->itemAxis()->loRange(), int(k.picture().displayRange()));

        const QImage shot = echogramShot(k);
        const QString file = QCoreApplication::applicationDirPath() + "/echogram_300_ticks.png";
        QVERIFY(shot.save(file));
        shot.scaled(shot.size() * 3).save(QString(file).replace(".png", "_x3.png"));
        qInfo("screenshot: %s", qPrintable(file));

        // Not blank: many colours, and most of the picture is not the background.
        QSet<QRgb> colours;
        int painted = 0;
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 246; ++x) {
                colours.insert(shot.pixel(x, y));
                painted += shot.pixel(x, y) != qRgb(0, 0, 0);
            }
        }
        QVERIFY2(colours.size() > 40, qPrintable(QString::number(colours.size())));
        QVERIFY2(painted > 246 * 240 / 5, qPrintable(QString::number(painted)));

        // The bottom line: redraw from the history, then each column's three line rows carry
        // the line colour where a column on its own puts the bottom.
        k.sonar_imageRefresh();
        const QImage img = k.sonar()->itemImage()->image();
        const uint16_t lineColour =
            static_cast<uint16_t>(colorArray_rgb565_bottom_user[SonarPaint::bottomLineIndex(1, 2)]);
        const QList<kvl_w>& history = k.history().records();
        SonarColumnState state;
        SonarColumnSettings s;
        s.displayRange = k.picture().displayRange();
        int checked = 0;
        for (int i = 1; i < history.size(); ++i) {
            const SonarColumn c = sonar_extractColumn(history[i], s, state, nullptr);
            const int x = k.picture().columns() - history.size() + i;
            if (i < 30 || c.bottomRow < 1 || c.bottomRow > 234) continue;
            const uint16_t* px = k.sonar()->itemImage()->buffer();
            const int w = k.sonar()->itemImage()->width();
            for (int r = c.bottomRow; r <= c.bottomRow + 2; ++r)
                QCOMPARE(px[r * w + x], lineColour);
            ++checked;
        }
        QVERIFY2(checked > 150, qPrintable(QString::number(checked)));
        QVERIFY(!img.isNull());
    }
};

QObject* makeSonarEchogramTest() {
    return new TestSonarEchogram;
}

#include "test_sonar_echogram.moc"

#include "core/base/configuration.h"
#include "core/base/global.h"
#include "core/korvel.h"
#include "korvel_test.h"
#include "test_root.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

namespace {

const QString kFile = QStringLiteral("/opt/configuration.kcg");

StructConfiguration defaults() {
    StructConfiguration c{};
    Configuration::applyDefaults(c);
    return c;
}

// QSettings caches a file's parsed values with their original types; a copy under a new name
// is read from disk the way a new process reads it.
StructConfiguration loadFresh(const QString& file, StructConfiguration start = defaults()) {
    static int n = 0;
    const QString copy = file + QStringLiteral(".fresh%1").arg(++n);
    QFile::remove(copy);
    QFile::copy(file, copy);
    Configuration::load(copy, start);
    return start;
}

QByteArray fileText(const QString& file) {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

}  // namespace

class TestConfiguration : public QObject {
    Q_OBJECT
private slots:
    void freshDevice_hasDefaults() {
        TestRoot root;
        StructConfiguration c{};
        Configuration::applyDefaults(c);
        QCOMPARE(Configuration::load(root.path(kFile), c), 0);
        QCOMPARE(c.systemLanguage, 0);
        const int panels[6] = {2, 5, 0, 8, 7, 4};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(c.textDataToShow[i], panels[i]);
        QCOMPARE(c.fishSensitivity, 6.0f);
        QCOMPARE(c.colorScheme, 2);
        QCOMPARE(c.timeZone, 8.0f);
        QCOMPARE(c.apCh1Reverse, 1);
        QCOMPARE(c.screenMode, 2);
        QCOMPARE(c.baudRate, 3);
        QCOMPARE(c.batteryAlarmLevel, 10.0f);
    }

    void reset_keepsLanguageAndDeveloperMode() {
        StructConfiguration c = defaults();
        c.systemLanguage = 3;
        c.devMode = 1;
        c.unit = 3;
        c.backLight = 2;
        Configuration::applyDefaults(c);
        QCOMPARE(c.systemLanguage, 3);
        QCOMPARE(c.devMode, 1);
        QCOMPARE(c.unit, 0);
        QCOMPARE(c.backLight, 9.0f);
    }

    void save_writesTheFileFormat() {
        TestRoot root;
        QDir().mkpath(root.path("/opt"));
        StructConfiguration c = defaults();
        c.depthRange = 25;
        c.apSenitivity = 6.5f;
        c.workMode = 1;
        c.screenMode = 0;
        QVERIFY(Configuration::save(root.path(kFile), c));
        const QByteArray text = fileText(root.path(kFile));
        for (const char* group : {"[Other]", "[Basic]", "[Sonar]", "[GPS]", "[Ap]"})
            QVERIFY2(text.contains(group), group);
        QVERIFY(text.contains("apSenitivity=@Variant("));
        QVERIFY(text.contains("sonarGain=3\n"));
        QVERIFY(text.contains("textDataToShow_3=8\n"));
        for (const char* absent : {"textDataToShow_5", "textDataToShow_6", "advancedMode",
                                   "workMode", "devMode", "screenMode", "dataExport"})
            QVERIFY2(!text.contains(absent), absent);
        QSettings ini(root.path(kFile), QSettings::IniFormat);
        QCOMPARE(ini.value("Basic/maxDepthRange").toFloat(), 25.0f);
        QCOMPARE(ini.value("Basic/depthRange").toFloat(), 25.0f);
        QCOMPARE(ini.value("Basic/depthRange").userType(), int(QMetaType::Float));
    }

    void roundTrip_restoresStoredFieldsOnly() {
        TestRoot root;
        QDir().mkpath(root.path("/opt"));
        StructConfiguration c = defaults();
        c.sonarSensitivity = 4;
        c.colorLine = -7;
        c.unit = 3;
        c.hourSystem = 0;
        c.keyTone = 0;
        c.timeZone = -5;
        c.vtgOffset = -1.3f;
        c.apCh2Speed = 55;
        c.apSenitivity = 7.5f;
        c.systemLanguage = 7;
        c.textDataToShow[1] = 3;
        c.simulator = 1;
        c.bottomLine = 0;
        QVERIFY(Configuration::save(root.path(kFile), c));

        const StructConfiguration r = loadFresh(root.path(kFile));
        QCOMPARE(r.sonarSensitivity, 4.0f);
        QCOMPARE(r.colorLine, -7.0f);
        QCOMPARE(r.unit, 3);
        QCOMPARE(r.hourSystem, 0);
        QCOMPARE(r.keyTone, 0);
        QCOMPARE(r.timeZone, -5.0f);
        QCOMPARE(r.vtgOffset, -1.3f);
        QCOMPARE(r.apCh2Speed, 55.0f);
        QCOMPARE(r.apSenitivity, 7.5f);
        QCOMPARE(r.systemLanguage, 7);
        QCOMPARE(r.textDataToShow[1], 3);
        // Written, never read back: a restart brings the simulator off and the bottom line on.
        QCOMPARE(r.simulator, 0);
        QCOMPARE(r.bottomLine, 1);
    }

    void load_convertsAsTheFileFormatSays_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("field");
        QTest::addColumn<float>("expected");
        QTest::newRow("chart speed truncated")
            << QByteArray("[Sonar]\nchartSpeed=2.7\n") << "chartSpeed" << 2.0f;
        QTest::newRow("negative chart speed")
            << QByteArray("[Sonar]\nchartSpeed=-3.5\n") << "chartSpeed" << 0.0f;
        QTest::newRow("channel speed as int")
            << QByteArray("[Ap]\napCh1Speed=55\n") << "apCh1Speed" << 55.0f;
        QTest::newRow("bool text true")
            << QByteArray("[Other]\nhourSystem=true\n") << "hourSystem" << 1.0f;
        QTest::newRow("bool zero") << QByteArray("[Sonar]\nkeyTone=0\n") << "keyTone" << 0.0f;
        QTest::newRow("unreadable float takes the default")
            << QByteArray("[GPS]\ngpsFilter=abc\n") << "gpsFilter" << 20.0f;
        QTest::newRow("float text") << QByteArray("[GPS]\ntimeZone=-3\n") << "timeZone" << -3.0f;
        QTest::newRow("maxDepthRange ignored")
            << QByteArray("[Basic]\nmaxDepthRange=30\n") << "depthRange" << 0.0f;
    }
    void load_convertsAsTheFileFormatSays() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, field);
        QFETCH(float, expected);
        TestRoot root;
        QVERIFY(root.writeFile(kFile, ini));
        const StructConfiguration c = loadFresh(root.path(kFile));
        const QHash<QString, float> values = {
            {"chartSpeed", c.chartSpeed},        {"apCh1Speed", c.apCh1Speed},
            {"hourSystem", float(c.hourSystem)}, {"keyTone", float(c.keyTone)},
            {"gpsFilter", c.gpsFilter},          {"timeZone", c.timeZone},
            {"depthRange", c.depthRange}};
        QCOMPARE(values.value(field, -999), expected);
    }

    void floatVariant_channelSpeed55_readsBack55() {
        TestRoot root;
        QDir().mkpath(root.path("/opt"));
        {
            QSettings ini(root.path(kFile), QSettings::IniFormat);
            ini.setValue("Ap/apCh1Speed", QVariant::fromValue(55.0f));
            ini.setValue("Sonar/chartSpeed", QVariant::fromValue(2.7f));
        }
        const StructConfiguration c = loadFresh(root.path(kFile));
        QCOMPARE(c.apCh1Speed, 55.0f);
        QCOMPARE(c.chartSpeed, 2.0f);
    }

    void outOfRangeTableIndices_fallBackToDefaults() {
        TestRoot root;
        QVERIFY(root.writeFile(kFile,
                               "[Sonar]\ncolorScheme=7\nbackgroundColor=-1\nbaudRate=9\n"
                               "unit=4\nsystemLanguage=12\n"
                               "[GPS]\ndistanceUnit=-2\nspeedUnit=40\n"
                               "[Ap]\napMode=3\n"
                               "[Other]\ntextDataToShow_1=99\ntextDataToShow_2=1\n"
                               "[Basic]\nsonarGain=1\nsonarFreq=5\nshallowAlarmLevel=nan\n"));
        StructConfiguration start = defaults();
        start.systemLanguage = 2;
        const StructConfiguration c = loadFresh(root.path(kFile), start);
        QCOMPARE(c.colorScheme, 2);
        QCOMPARE(c.backgroundColor, 1);
        QCOMPARE(c.baudRate, 3);
        QCOMPARE(c.unit, 0);
        QCOMPARE(c.systemLanguage, 2);  // the language in force, as a reset would keep it
        QCOMPARE(c.distanceUnit, 2);
        QCOMPARE(c.speedUnit, 2);
        QCOMPARE(c.apMode, 0);
        QCOMPARE(c.textDataToShow[1], 5);
        QCOMPARE(c.textDataToShow[2], 1);  // in range: kept
        QCOMPARE(c.sonarGain, 1);
        QCOMPARE(c.sonarFreq, 0);
        QCOMPARE(c.shallowAlarmLevel, 0.0f);
    }

    void corruptOrTruncatedFile_keepsDefaultsForWhatCannotBeRead() {
        TestRoot root;
        StructConfiguration good = defaults();
        good.timeZone = -3;
        good.apSenitivity = 7.5f;
        good.backLight = 4;
        QDir().mkpath(root.path("/opt"));
        QVERIFY(Configuration::save(root.path(kFile), good));
        QByteArray text = fileText(root.path(kFile));
        // Cut inside a serialised float, as a power loss during a copy would.
        const int cut = text.indexOf("backLight=@Variant(") + 23;
        QVERIFY(cut > 23);
        QVERIFY(root.writeFile(kFile, text.left(cut)));
        StructConfiguration c = loadFresh(root.path(kFile));
        QCOMPARE(c.backLight, 9.0f);  // the damaged value: the default stays, not 0
        QCOMPARE(c.timeZone, -3.0f);  // what stands before the cut is read
        QCOMPARE(c.apSenitivity, 7.5f);

        QByteArray garbage(4096, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 7919) & 0xff);
        QVERIFY(root.writeFile(kFile, garbage));
        c = loadFresh(root.path(kFile));
        QCOMPARE(c.unit, 0);
        QCOMPARE(c.colorScheme, 2);
    }

    void save_replacesTheFileAtomically() {
        TestRoot root;
        QDir().mkpath(root.path("/opt"));
        StructConfiguration c = defaults();
        QVERIFY(Configuration::save(root.path(kFile), c));
        struct stat before {};
        QCOMPARE(stat(QFile::encodeName(root.path(kFile)).constData(), &before), 0);
        c.unit = 1;
        QVERIFY(Configuration::save(root.path(kFile), c));
        struct stat after {};
        QCOMPARE(stat(QFile::encodeName(root.path(kFile)).constData(), &after), 0);
        // A new file renamed over the old one: the old content stays whole until the rename.
        QVERIFY(before.st_ino != after.st_ino);
        const QStringList left = QDir(root.path("/opt")).entryList(QDir::Files);
        QCOMPARE(left, QStringList{"configuration.kcg"});
    }

    void saveFailure_isReportedAndLeavesNothingHalfWritten() {
        TestRoot root;
        QVERIFY(root.writeFile("/opt", "a file where the folder should be"));
        QVERIFY(!Configuration::save(root.path(kFile), defaults()));
        QVERIFY(!QFileInfo::exists(root.path(kFile)));
    }

    void controller_loadsAndSavesUnderTheRoot() {
        TestRoot root;
        QVERIFY(root.writeFile(kFile, "[Sonar]\nunit=3\n"));
        Configuration::applyDefaults(Global::configuration);
        Korvel k;
        k.system_useDefaultSetting();
        k.system_loadConfiguration();
        QCOMPARE(Global::configuration.unit, 3);
        Global::configuration.unit = 1;
        QVERIFY(k.system_saveConfiguration());
        QVERIFY(root.readFile(kFile).contains("unit=1"));
    }
};

KORVEL_TEST_MAIN(TestConfiguration)
#include "test_configuration.moc"

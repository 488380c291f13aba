#include "base/global.h"
#include "core/korvel.h"
#include "golden.h"
#include "korvel_test.h"
#include "test_root.h"

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
    QFile::copy(file, copy);
    Configuration::load(copy, start);
    return start;
}

// The numbers (0..49, in declaration order) of the fields in which two records differ.
QList<int> differingFields(const StructConfiguration& a, const StructConfiguration& b) {
    QList<int> out;
    const auto* x = reinterpret_cast<const quint32*>(&a);
    const auto* y = reinterpret_cast<const quint32*>(&b);
    for (int i = 0; i < int(sizeof a / 4); ++i)
        if (x[i] != y[i]) out << i;
    return out;
}

}  // namespace

class TestConfiguration : public QObject {
    Q_OBJECT
private slots:
    // The controller writes the file under the root and nothing beside it (no temporary file
    // left over); a new process reads back what is stored and no more.
    void savedFile_matchesTheReferenceAndReadsBack() {
        TestRoot root;
        Configuration::applyDefaults(Global::configuration);
        StructConfiguration& c = Global::configuration;
        c.depthRange = 25;
        c.unit = 3;
        c.timeZone = -5;
        c.apCh2Speed = 55;
        c.textDataToShow[1] = 3;
        c.simulator = 1;
        c.bottomLine = 0;
        c.screenMode = 0;
        Korvel k;
        k.mainTimer()->stop();
        QVERIFY(k.system_saveConfiguration());
        QCOMPARE(QDir(root.path("/opt")).entryList(QDir::Files), QStringList{"configuration.kcg"});
        GOLDEN_COMPARE("core/configuration.kcg", root.readFile(kFile));
        StructConfiguration expected = c;
        expected.simulator = defaults().simulator;
        expected.bottomLine = defaults().bottomLine;
        expected.screenMode = defaults().screenMode;
        QCOMPARE(differingFields(loadFresh(root.path(kFile)), expected), QList<int>{});
        Configuration::applyDefaults(c);
        k.system_loadConfiguration();
        QCOMPARE(c.unit, 3);
    }

    // Each key is converted as its field needs; a text that does not convert takes the
    // field's default.
    void load_convertsAsTheFileFormatSays() {
        TestRoot root;
        QVERIFY(root.writeFile(kFile,
                               "[Sonar]\nchartSpeed=2.7\nkeyTone=0\n[Other]\nhourSystem=true\n"
                               "[Ap]\napCh1Speed=55\n[GPS]\ngpsFilter=abc\ntimeZone=-3\n"
                               "[Basic]\nmaxDepthRange=30\n"));
        StructConfiguration start = defaults();
        start.hourSystem = 0;
        StructConfiguration expected = start;
        expected.chartSpeed = 2;
        expected.keyTone = 0;
        expected.hourSystem = 1;
        expected.apCh1Speed = 55;
        expected.timeZone = -3;
        QCOMPARE(differingFields(loadFresh(root.path(kFile), start), expected), QList<int>{});
        QVERIFY(root.writeFile(kFile, "[Sonar]\nchartSpeed=-3.5\n"));
        QCOMPARE(loadFresh(root.path(kFile)).chartSpeed, 0.0f);
    }

    // A value out of its field's range comes back as the default (with the language in force,
    // as a reset would keep it): a table index, a float that would blank the echogram or drive
    // the backlight off its scale, one that is not a number. Values in range are kept.
    void outOfRangeValues_fallBackToDefaults() {
        TestRoot root;
        QVERIFY(root.writeFile(kFile,
                               "[Sonar]\ncolorScheme=7\nbackgroundColor=-1\nbaudRate=9\n"
                               "unit=4\nsystemLanguage=12\nbackLight=1e30\ndepthOffset=-5\n"
                               "[GPS]\ndistanceUnit=-2\nspeedUnit=40\ntimeZone=13\n"
                               "[Ap]\napMode=3\n"
                               "[Other]\ntextDataToShow_1=99\ntextDataToShow_2=1\n"
                               "textDataToShow_3=-1\n"
                               "[Basic]\nsonarGain=1\nsonarFreq=5\nshallowAlarmLevel=nan\n"
                               "depthRange=3\nbatteryAlarmLevel=1e30\n"));
        StructConfiguration start = defaults();
        start.systemLanguage = 2;
        StructConfiguration expected = start;
        expected.textDataToShow[2] = 1;
        expected.sonarGain = 1;
        QCOMPARE(differingFields(loadFresh(root.path(kFile), start), expected), QList<int>{});
    }

    void corruptOrTruncatedFile_keepsDefaultsForWhatCannotBeRead() {
        TestRoot root;
        StructConfiguration good = defaults();
        good.timeZone = -3;
        good.backLight = 4;
        QVERIFY(Configuration::save(root.path(kFile), good));
        const QByteArray text = root.readFile(kFile);
        // Cut inside a serialised float, as a power loss during a copy would.
        const int cut = text.indexOf("backLight=@Variant(") + 23;
        QVERIFY(cut > 23);
        QVERIFY(root.writeFile(kFile, text.left(cut)));
        StructConfiguration expected = defaults();
        expected.timeZone = -3;  // what stands before the cut is read; the damaged value is not 0
        QCOMPARE(differingFields(loadFresh(root.path(kFile)), expected), QList<int>{});
        QByteArray garbage(4096, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = char((i * 7919) & 0xff);
        QVERIFY(root.writeFile(kFile, garbage));
        QCOMPARE(differingFields(loadFresh(root.path(kFile)), defaults()), QList<int>{});
    }

    void saveFailure_isReportedAndLeavesNothingHalfWritten() {
        TestRoot root;
        QVERIFY(root.writeFile("/opt", "a file where the folder should be"));
        KorvelTest::ExpectedMessage said("^configuration not saved");
        Korvel k;
        k.mainTimer()->stop();
        QVERIFY(!k.system_saveConfiguration());
        QVERIFY(!QFileInfo::exists(root.path(kFile)));
        QCOMPARE(said.seen(), 1);
    }
};

KORVEL_TEST_MAIN(TestConfiguration)
#include "test_configuration.moc"

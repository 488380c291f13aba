#include "core/base/global.h"
#include "core/base/tr_resource.h"
#include "korvel_test.h"

#include <QTextCodec>
#include <QtTest>
#include <climits>

class TestTrResource : public QObject {
    Q_OBJECT

private slots:
    void init() { Global::configuration.systemLanguage = LanguageEnglish; }
    void cleanupTestCase() { Global::configuration.systemLanguage = LanguageEnglish; }

    void currentLanguage_picksItsTable_data();
    void currentLanguage_picksItsTable();
    void german_exitIsZurueck_homeKeepsEnglishWording();
    void unknownLanguage_showsEnglishForEveryText_data();
    void unknownLanguage_showsEnglishForEveryText();
    void languageChange_appliesToNextFetch();
    void english_wordingIsExact_data();
    void english_wordingIsExact();
    void everyLanguage_tableIsWellFormed_data();
    void everyLanguage_tableIsWellFormed();
    void translations_areNotEnglishCopies();
    void translations_keepEllipsisAndQuestionEndings();
    void homePosition_recognisedInAnyLanguage_data();
    void homePosition_recognisedInAnyLanguage();
    void idOutsideTable_givesEmptyText();
    void otherLocaleCodec_stillDecodesUtf8();
};

// Entry 117 ("Home Position") in every language, in table order.
static const char* const kHomePosition[LanguageCount] = {
    "Home Position", "Начальн поз",    "posit départ",  "Home Position",
    "Thuis positie", "Pozycja domowa", "Posición casa", "原点位置"};

void TestTrResource::currentLanguage_picksItsTable_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("exit");
    const char* const exits[LanguageCount] = {"Exit",  "Выход",   "Quitter", "zurück",
                                              "Terug", "Wyjście", "Salir",   "退出"};
    for (int language = 0; language < LanguageCount; ++language) {
        QTest::addRow("language %d", language)
            << language << QString::fromUtf8(kHomePosition[language])
            << QString::fromUtf8(exits[language]);
    }
}

void TestTrResource::currentLanguage_picksItsTable() {
    QFETCH(int, language);
    QFETCH(QString, home);
    QFETCH(QString, exit);
    Global::configuration.systemLanguage = language;
    QCOMPARE(TrResource::getTrString(TR_HomePosition), home);
    QCOMPARE(TrResource::getTrString(TR_Exit), exit);
    QCOMPARE(TrResource::getTrString(TR_HomePosition, language), home);
}

void TestTrResource::german_exitIsZurueck_homeKeepsEnglishWording() {
    Global::configuration.systemLanguage = LanguageGerman;
    QCOMPARE(TrResource::getTrString(TR_HomePosition), QStringLiteral("Home Position"));
    QCOMPARE(TrResource::getTrString(TR_Exit), QString::fromUtf8("zurück"));
    QCOMPARE(TrResource::getTrString(TR_Exit).at(3), QChar(0x00FC));
}

void TestTrResource::unknownLanguage_showsEnglishForEveryText_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("9") << 9;
    QTest::newRow("8, one past Chinese") << 8;
    QTest::newRow("-1") << -1;
    QTest::newRow("INT_MIN") << INT_MIN;
    QTest::newRow("INT_MAX") << INT_MAX;
}

void TestTrResource::unknownLanguage_showsEnglishForEveryText() {
    QFETCH(int, language);
    Global::configuration.systemLanguage = language;
    for (int id = 0; id < TR_COUNT; ++id) {
        QCOMPARE(TrResource::getTrString(EnumTrString(id)),
                 QString::fromUtf8(languageResource_english[id]));
    }
    QCOMPARE(TrResource::getTrString(TR_Next), QStringLiteral("Next"));
}

void TestTrResource::languageChange_appliesToNextFetch() {
    Global::configuration.systemLanguage = LanguagePolish;
    const QString before = TrResource::getTrString(TR_Waypoint);
    Global::configuration.systemLanguage = LanguageSpanish;
    const QString after = TrResource::getTrString(TR_Waypoint);
    QCOMPARE(before, QStringLiteral("Punkt"));
    QCOMPARE(after, QStringLiteral("Waypoint"));
    QCOMPARE(TrResource::getTrString(TR_Yes), QString::fromUtf8("SÍ"));
}

// Every eighth text (a shifted entry anywhere shows up) plus the ones whose odd spelling is
// part of the wording.
void TestTrResource::english_wordingIsExact_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    const struct {
        int id;
        const char* text;
    } rows[] = {
        {0, "tr"},
        {1, "Next"},
        {8, "Sensitivity"},
        {16, "SONAR"},
        {24, "Temperature"},
        {32, "Satellite"},
        {40, "GPS Filter"},
        {48, "Calibrate Compass of Boat"},
        {56, "Boat Type"},
        {64, "Channel 2 Speed"},
        {72, "Battery Alarm"},
        {78, "Update Sonar-Box"},
        {79, "Update Autopilot"},
        {80, "QUICK OPERATION"},
        {88, "Icon"},
        {96, "Export as csv"},
        {104, "Show Route"},
        {112, "Go-Back"},
        {113, "Target"},
        {120, "SD Card"},
        {128, "Message"},
        {132, "The 1st. target  arrived"},
        {133, "The 2nd. target  arrived"},
        {136, "Enter manual control mode"},
        {144, "In simulator mode"},
        {152, "Power off in 2 seconds"},
        {160, "Autopilot module"},
        {165, "Scannning files"},
        {168, "Read file failed"},
        {176, "Update cancelled"},
        {181, "Wait Synchronize…"},
        {184, "No request!"},
        {192, "Go to the next target in"},
        {200, "Remote-Boxes not connected."},
        {202, "Target marked on the map, please control with your remote!"},
        {208, "Import"},
        {215, "Target"},
        {216, "is too far away from boat."},
        {218, "The version of the file selected is same as current R-Boxes's version."},
        {222, "Message when arrive"},
    };
    for (const auto& row : rows) {
        QTest::addRow("%d", row.id) << row.id << QString::fromUtf8(row.text);
    }
}

void TestTrResource::english_wordingIsExact() {
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(TrResource::getTrString(EnumTrString(id)), text);
}

void TestTrResource::everyLanguage_tableIsWellFormed_data() {
    QTest::addColumn<int>("language");
    for (int language = 0; language < LanguageCount; ++language) {
        QTest::addRow("language %d", language) << language;
    }
}

void TestTrResource::everyLanguage_tableIsWellFormed() {
    QFETCH(int, language);
    QCOMPARE(TrResource::getTrString(TR_Placeholder, language), QStringLiteral("tr"));
    for (int id = 0; id < TR_COUNT; ++id) {
        const QString text = TrResource::getTrString(EnumTrString(id), language);
        QVERIFY2(!text.isEmpty(), qPrintable(QString::number(id)));
        // Broken UTF-8 would decode to replacement characters.
        QVERIFY2(!text.contains(QChar::ReplacementCharacter), qPrintable(QString::number(id)));
        // Callers add their own spaces around texts they join.
        QVERIFY2(!text.front().isSpace() && !text.back().isSpace(),
                 qPrintable(QString::number(id)));
    }
    // "Target" before a slot number and "Target" as a field title are the same word.
    QCOMPARE(TrResource::getTrString(TR_TargetNumbered, language),
             TrResource::getTrString(TR_Target, language));
}

void TestTrResource::translations_areNotEnglishCopies() {
    for (int language = LanguageRussian; language < LanguageCount; ++language) {
        int same = 0;
        for (int id = 1; id < TR_COUNT; ++id) {
            if (TrResource::getTrString(EnumTrString(id), language) ==
                TrResource::getTrString(EnumTrString(id), LanguageEnglish)) {
                ++same;
            }
        }
        // Names such as "SONAR", "OK" or "GPS module" may stay, whole tables may not.
        QVERIFY2(
            same < TR_COUNT / 4,
            qPrintable(QStringLiteral("language %1: %2 English texts").arg(language).arg(same)));
    }
}

void TestTrResource::translations_keepEllipsisAndQuestionEndings() {
    const QChar ellipsis(0x2026);
    for (int id = 1; id < TR_COUNT; ++id) {
        const QString english = TrResource::getTrString(EnumTrString(id), LanguageEnglish);
        for (int language = LanguageRussian; language < LanguageCount; ++language) {
            const QString text = TrResource::getTrString(EnumTrString(id), language);
            const QString where = QStringLiteral("id %1 language %2").arg(id).arg(language);
            // A trailing ellipsis tells the user that work is still going on.
            QVERIFY2(english.endsWith(ellipsis) == text.endsWith(ellipsis), qPrintable(where));
            if (english.endsWith(QLatin1Char('?'))) {
                QVERIFY2(text.endsWith(QLatin1Char('?')) || text.endsWith(QChar(0xFF1F)),
                         qPrintable(where));
            }
        }
    }
}

void TestTrResource::homePosition_recognisedInAnyLanguage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("recognised");
    for (int language = 0; language < LanguageCount; ++language) {
        QTest::addRow("language %d", language)
            << QString::fromUtf8(kHomePosition[language]) << true;
    }
    QTest::newRow("other entry") << QStringLiteral("Boat Position") << false;
    QTest::newRow("waypoint name") << QStringLiteral("Home") << false;
    QTest::newRow("trailing space") << QStringLiteral("Home Position ") << false;
    QTest::newRow("other case") << QStringLiteral("home position") << false;
    QTest::newRow("empty") << QString() << false;
}

void TestTrResource::homePosition_recognisedInAnyLanguage() {
    QFETCH(QString, text);
    QFETCH(bool, recognised);
    QCOMPARE(TrResource::isTextOfAnyLanguage(TR_HomePosition, text), recognised);
}

void TestTrResource::idOutsideTable_givesEmptyText() {
    Global::configuration.systemLanguage = LanguageChinese;
    QVERIFY(TrResource::getTrString(EnumTrString(TR_COUNT)).isNull());
    QVERIFY(TrResource::getTrString(EnumTrString(-1)).isNull());
    QVERIFY(TrResource::getTrString(EnumTrString(100000), LanguageEnglish).isNull());
    QVERIFY(!TrResource::isTextOfAnyLanguage(EnumTrString(TR_COUNT), QString()));
    QCOMPARE(TrResource::getTrString(TR_MessageWhenArrive), QString::fromUtf8("到达时提示"));
}

void TestTrResource::otherLocaleCodec_stillDecodesUtf8() {
    QTextCodec* const previous = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    Global::configuration.systemLanguage = LanguageRussian;
    const QString text = TrResource::getTrString(TR_Next);
    QTextCodec::setCodecForLocale(previous);
    QCOMPARE(text.size(), 5);
    QCOMPARE(text, QString::fromUtf8("Далее"));
}

KORVEL_TEST_MAIN(TestTrResource)
#include "test_tr_resource.moc"

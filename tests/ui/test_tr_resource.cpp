#include "core/base/global.h"
#include "core/base/tr_resource.h"
#include "korvel_test.h"

#include <QTextCodec>
#include <QtTest>

namespace {

// Entry 117 ("Home Position") in every language, in table order.
const char* const kHomePosition[LanguageCount] = {
    "Home Position", "Начальн поз",    "posit départ",  "Home Position",
    "Thuis positie", "Pozycja domowa", "Posición casa", "原点位置"};

QString textOf(int id, int language) {
    return TrResource::getTrString(EnumTrString(id), language);
}

}  // namespace

class TestTrResource : public QObject {
    Q_OBJECT

private slots:
    void init() { Global::configuration.systemLanguage = LanguageEnglish; }
    void cleanupTestCase() { init(); }

    void languages_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("exit");
        const char* const exits[LanguageCount] = {"Exit",  "Выход",   "Quitter", "zurück",
                                                  "Terug", "Wyjście", "Salir",   "退出"};
        for (int language = 0; language < LanguageCount; ++language)
            QTest::addRow("language %d", language)
                << language << QString::fromUtf8(exits[language]);
    }
    // Each language shows its own table, and every table is usable as it stands.
    void languages() {
        QFETCH(int, language);
        QFETCH(QString, exit);
        Global::configuration.systemLanguage = language;
        QCOMPARE(TrResource::getTrString(TR_Exit), exit);
        QCOMPARE(TrResource::getTrString(TR_HomePosition),
                 QString::fromUtf8(kHomePosition[language]));
        QCOMPARE(textOf(TR_Placeholder, language), QStringLiteral("tr"));
        int sameAsEnglish = 0;
        const QChar ellipsis(0x2026);
        for (int id = 1; id < TR_COUNT; ++id) {
            const QString text = textOf(id, language);
            const QString english = textOf(id, LanguageEnglish);
            const QByteArray where = QByteArray::number(id) + ": " + text.toUtf8();
            // Broken UTF-8 would decode to replacement characters.
            QVERIFY2(!text.isEmpty() && !text.contains(QChar::ReplacementCharacter), where);
            // Callers add their own spaces around texts they join.
            QVERIFY2(!text.front().isSpace() && !text.back().isSpace(), where);
            // A trailing ellipsis tells the user that work is still going on; a question stays one.
            QVERIFY2(english.endsWith(ellipsis) == text.endsWith(ellipsis), where);
            if (english.endsWith(QLatin1Char('?')))
                QVERIFY2(text.endsWith(QLatin1Char('?')) || text.endsWith(QChar(0xFF1F)), where);
            if (text == english) ++sameAsEnglish;
        }
        // Names such as "SONAR", "OK" or "GPS module" may stay English, whole tables may not.
        if (language != LanguageEnglish)
            QVERIFY2(sameAsEnglish < TR_COUNT / 4, qPrintable(QString::number(sameAsEnglish)));
        // "Target" before a slot number and "Target" as a field title are the same word.
        QCOMPARE(textOf(TR_TargetNumbered, language), textOf(TR_Target, language));
    }

    void unknownLanguage_showsEnglish_data() {
        QTest::addColumn<int>("language");
        QTest::newRow("one past the last") << int(LanguageCount);
        QTest::newRow("negative") << -1;
    }
    void unknownLanguage_showsEnglish() {
        QFETCH(int, language);
        Global::configuration.systemLanguage = language;
        for (int id = 0; id < TR_COUNT; ++id)
            QCOMPARE(TrResource::getTrString(EnumTrString(id)), textOf(id, LanguageEnglish));
    }

    // The language is looked up at every fetch, nothing is cached.
    void languageChange_appliesToNextFetch() {
        Global::configuration.systemLanguage = LanguagePolish;
        QCOMPARE(TrResource::getTrString(TR_Waypoint), QStringLiteral("Punkt"));
        Global::configuration.systemLanguage = LanguageSpanish;
        QCOMPARE(TrResource::getTrString(TR_Waypoint), QStringLiteral("Waypoint"));
    }

    // A sample across the table (a shifted entry shows up) with the wordings whose odd spelling
    // is what the user has always seen.
    void english_wording() {
        const struct {
            int id;
            const char* text;
        } rows[] = {{1, "Next"},
                    {48, "Calibrate Compass of Boat"},
                    {80, "QUICK OPERATION"},
                    {112, "Go-Back"},
                    {132, "The 1st. target  arrived"},
                    {165, "Scannning files"},
                    {181, "Wait Synchronize…"},
                    {218, "The version of the file selected is same as current R-Boxes's version."},
                    {222, "Message when arrive"}};
        for (const auto& row : rows)
            QCOMPARE(textOf(row.id, LanguageEnglish), QString::fromUtf8(row.text));
    }

    void homePosition_recognisedInAnyLanguage_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("recognised");
        for (int language = 0; language < LanguageCount; ++language)
            QTest::addRow("language %d", language)
                << QString::fromUtf8(kHomePosition[language]) << true;
        QTest::newRow("other entry") << QStringLiteral("Boat Position") << false;
        QTest::newRow("trailing space") << QStringLiteral("Home Position ") << false;
        QTest::newRow("other case") << QStringLiteral("home position") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void homePosition_recognisedInAnyLanguage() {
        QFETCH(QString, text);
        QFETCH(bool, recognised);
        QCOMPARE(TrResource::isTextOfAnyLanguage(TR_HomePosition, text), recognised);
    }

    void idOutsideTable_givesEmptyText() {
        Global::configuration.systemLanguage = LanguageChinese;
        QVERIFY(TrResource::getTrString(EnumTrString(TR_COUNT)).isNull());
        QVERIFY(TrResource::getTrString(EnumTrString(-1)).isNull());
        QVERIFY(textOf(100000, LanguageEnglish).isNull());
        QVERIFY(!TrResource::isTextOfAnyLanguage(EnumTrString(TR_COUNT), QString()));
        QVERIFY(!TrResource::isTextOfAnyLanguage(EnumTrString(-1), QString()));
    }

    void otherLocaleCodec_stillDecodesUtf8() {
        QTextCodec* const previous = QTextCodec::codecForLocale();
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
        const QString text = textOf(TR_Next, LanguageRussian);
        QTextCodec::setCodecForLocale(previous);
        QCOMPARE(text, QString::fromUtf8("Далее"));
    }
};

KORVEL_TEST_MAIN(TestTrResource)
#include "test_tr_resource.moc"

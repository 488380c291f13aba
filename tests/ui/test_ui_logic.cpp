#include "base/global.h"
#include "base/tr_resource.h"
#include "korvel_test.h"
#include "ui/kit/char_edit_model.h"
#include "ui/kit/list_cursor.h"
#include "ui/kit/value_list.h"
#include "ui/map/small_image_data.h"

#include <QTextCodec>
#include <QtTest>

namespace {

QImage swatch(const QColor& color, int w = 10, int h = 8) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    return img;
}

// Entry 117 ("Home Position") in every language, in table order.
const char* const kHomePosition[LanguageCount] = {
    "Home Position", "Начальн поз",    "posit départ",  "Home Position",
    "Thuis positie", "Pozycja domowa", "Posición casa", "原点位置"};

QString textOf(int id, int language) {
    return TrResource::getTrString(EnumTrString(id), language);
}

}  // namespace

// The plain logic under the widgets: the list cursor, value lists, the character editor, the
// image chooser's data, and the texts in every language.
class TestUiLogic : public QObject {
    Q_OBJECT

private slots:
    void init() { Global::configuration.systemLanguage = LanguageEnglish; }
    void cleanupTestCase() { init(); }

    void languages_data() {
        QTest::addColumn<int>("language");
        for (int language = 0; language < LanguageCount; ++language)
            QTest::addRow("language %d", language) << language;
    }
    // Each language shows its own table, and every table is usable as it stands.
    void languages() {
        QFETCH(int, language);
        Global::configuration.systemLanguage = language;
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

    // The language is looked up at every fetch, nothing is cached. Entries late in the English
    // table (a shifted entry shows up), one with the odd spelling the user has always seen.
    void languageChange_appliesToNextFetch() {
        Global::configuration.systemLanguage = LanguagePolish;
        QCOMPARE(TrResource::getTrString(TR_Waypoint), QStringLiteral("Punkt"));
        Global::configuration.systemLanguage = LanguageSpanish;
        QCOMPARE(TrResource::getTrString(TR_Waypoint), QStringLiteral("Waypoint"));
        QCOMPARE(textOf(165, LanguageEnglish), QStringLiteral("Scannning files"));
        QCOMPARE(textOf(222, LanguageEnglish), QStringLiteral("Message when arrive"));
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
    // Script: uN / dN move N rows up or down (N = 1 when left out), sN selects row N, offN and
    // onN disable and enable row N. After each step "current@top", with ! when the step
    // reported that nothing changed.
    void listCursor_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("visible");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("after");
        const auto row = [](const char* name, int count, int visible, const char* script,
                            const char* after) {
            QTest::newRow(name) << count << visible << QString(script) << QString(after);
        };
        row("wraps both ways, several steps at once", 13, 9, "u d d3 u5", "12@4 0@0 3@0 11@3");
        row("skips disabled rows, refuses to select one", 5, 5, "off1 off4 d u u s4 off3",
            "0@0 0@0 2@0 0@0 3@0 3@0! 0@0");
        row("all disabled: no row, no move; one enabled is selected", 3, 3,
            "off0 off1 off2 d u on1", "1@0 2@0 -1@0 -1@0! -1@0! 1@0");
        row("empty list", 0, 4, "d u", "-1@0! -1@0!");
        row("window follows the cursor", 15, 9, "d8 d u10 d", "8@0 9@1 14@6 0@0");
    }
    void listCursor() {
        QFETCH(int, count);
        QFETCH(int, visible);
        QFETCH(QString, script);
        QFETCH(QString, after);
        ListCursor c;
        c.reset(count, visible);
        QStringList got;
        for (const QString& step : script.split(' ')) {
            const QString op =
                step.left(step.startsWith('o') ? (step.startsWith("on") ? 2 : 3) : 1);
            const int n = step.mid(op.size()).isEmpty() ? 1 : step.mid(op.size()).toInt();
            bool changed = true;
            if (op == "u") changed = c.up(n);
            if (op == "d") changed = c.down(n);
            if (op == "s") changed = c.select(n);
            if (op == "off" || op == "on") c.setEnabled(n, op == "on");
            got << QStringLiteral("%1@%2%3").arg(c.current()).arg(c.top()).arg(changed ? "" : "!");
        }
        QCOMPARE(got.join(' '), after);
    }

    void valueList_formatAndIndex_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("whole") << 8.0f << "8" << 1;
        QTest::newRow("tenth") << 8.1f << "8.1" << 2;
        QTest::newRow("off") << 7.9f << "7.9" << 0;
        QTest::newRow("negative tenth") << -0.1f << "-0.1" << 3;
        QTest::newRow("not listed") << 8.05f << "8.05" << -1;
    }
    void valueList_formatAndIndex() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QFETCH(int, index);
        const QStringList values{"7.9", "8", "8.1", "-0.1"};
        QCOMPARE(ValueList::format(value), text);
        QCOMPARE(ValueList::indexOf(value, values), index);
        if (index >= 0) QCOMPARE(ValueList::valueAt(values, index), value);
    }

    void valueList_stepStaysInside() {
        QCOMPARE(ValueList::step(3, 1, 10), 4);
        QCOMPARE(ValueList::step(3, -5, 10), 0);
        QCOMPARE(ValueList::step(8, 5, 10), 9);
        QCOMPARE(ValueList::step(0, 1, 0), -1);
        QCOMPARE(ValueList::valueAt(QStringList{"1"}, 5), 0.0f);
    }

    void charEdit_setsFixedPositionsAndStartSide() {
        CharEditModel m;
        // A character not in the set becomes the first (up) or the last (down).
        m.start(QStringLiteral("7"), QStringList{"01234"}, CharEditModel::SideLeft);
        m.up();
        QCOMPARE(m.text(), QStringLiteral("0"));
        m.start(QStringLiteral("7"), QStringList{"01234"}, CharEditModel::SideLeft);
        m.down();
        QCOMPARE(m.text(), QStringLiteral("4"));
        // A longitude: hemisphere, fixed space, degrees, fixed degree sign, minutes, fixed point.
        const QString d = QStringLiteral("0123456789");
        m.start(QString::fromUtf8("E 113°12.345"),
                {"EW", "", "01", d, d, "", "012345", d, "", d, d, d}, CharEditModel::SideLeft);
        QList<int> visited{m.cursor()};
        while (m.right())
            visited << m.cursor();
        while (m.left())
            visited << m.cursor();
        QCOMPARE(visited, (QList<int>{0, 2, 3, 4, 6, 7, 9, 10, 11, 10, 9, 7, 6, 4, 3, 2, 0}));
        // Opened from the right: the last editable position; the trailing space has no set.
        m.start(QStringLiteral("12.5 "), QStringList{d, d, "", d}, CharEditModel::SideRight);
        QCOMPARE(m.cursor(), 3);
        m.start(QStringLiteral(".5"), QStringList{"", d}, CharEditModel::SideLeft);
        QCOMPARE(m.cursor(), 1);
        m.start(QString(), QStringList(), CharEditModel::SideLeft);
        QVERIFY(!m.up());
        QVERIFY(!m.right());
    }

    void smallImageData_roundTrip() {
        SmallImageData::KindImages in;
        in.insert(QStringLiteral("background"),
                  {swatch(Qt::white), swatch(Qt::black), swatch(Qt::blue)});
        in.insert(QStringLiteral("color"), {swatch(Qt::red, 5, 4)});
        SmallImageData::KindImages out;
        QVERIFY(SmallImageData::decode(SmallImageData::encode(in), &out));
        QCOMPARE(out.keys(), in.keys());
        QCOMPARE(out.value(QStringLiteral("background")).size(), 3);
        QCOMPARE(out.value(QStringLiteral("background")).at(2).pixelColor(3, 3), QColor(Qt::blue));
        QCOMPARE(out.value(QStringLiteral("color")).at(0).size(), QSize(5, 4));
        // What cannot be written gives no bytes at all.
        SmallImageData::KindImages bad;
        bad.insert(QString(), {swatch(Qt::red)});
        QVERIFY(SmallImageData::encode(bad).isEmpty());
        bad.clear();
        bad.insert(QStringLiteral("x"), {QImage()});
        QVERIFY(SmallImageData::encode(bad).isEmpty());
    }

    void smallImageData_rejectsDamagedBytes_data() {
        SmallImageData::KindImages in;
        in.insert(QStringLiteral("color"), {swatch(Qt::red), swatch(Qt::green)});
        const QByteArray good = SmallImageData::encode(in);
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("wrong magic") << QByteArray("KSI2") + good.mid(4);
        QTest::newRow("truncated") << good.left(good.size() - 7);
        QTest::newRow("trailing bytes") << good + "x";
        QByteArray zeroKinds = good;
        zeroKinds[4] = 0;
        QTest::newRow("no kinds") << zeroKinds;
        QByteArray hugeLength = good;
        // magic, kind count, name length, "color", image count, then the first image's length
        const int lengthAt = 4 + 1 + 1 + 5 + 1;
        hugeLength[lengthAt + 3] = char(0x7f);
        QTest::newRow("image length past the end") << hugeLength;
        QByteArray notPng = good;
        notPng[lengthAt + 4 + 1] = 'X';  // spoils the PNG signature
        QTest::newRow("not a picture") << notPng;
    }
    void smallImageData_rejectsDamagedBytes() {
        QFETCH(QByteArray, bytes);
        SmallImageData::KindImages out;
        out.insert(QStringLiteral("kept"), {swatch(Qt::red)});
        QVERIFY(!SmallImageData::decode(bytes, &out));
        QCOMPARE(out.keys(), QStringList{QStringLiteral("kept")});
    }
};

KORVEL_TEST_MAIN(TestUiLogic)
#include "test_ui_logic.moc"

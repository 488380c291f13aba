#include "app_font.h"
#include "core/base/tr_resource.h"
#include "korvel_test.h"
#include "text_fit_rules.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QtTest>

namespace {

// One line of text laid out with the font, as a label would draw it.
struct StructLaidOut {
    QTextLayout layout;
    QRectF box;  // the line's natural extent, origin at the layout's top left
    StructLaidOut(const QString& text, const QFont& font) : layout(text, font) {
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(10000);
        layout.endLayout();
        box = QRectF(0, 0, line.naturalTextWidth(), line.height());
    }
};

// Empty when every glyph of text comes from the font itself and none is the missing-glyph
// box (glyph 0); a handset has no fallback fonts, so a glyph borrowed from another installed
// font would be a box there.
QString glyphProblems(const QFont& font, const QString& text) {
    StructLaidOut laidOut(text, font);
    const QList<QGlyphRun> runs = laidOut.layout.glyphRuns();
    if (runs.isEmpty()) return QStringLiteral("no glyphs");
    QStringList problems;
    for (const QGlyphRun& run : runs) {
        const QString family = run.rawFont().familyName();
        if (family != font.family()) problems << QStringLiteral("glyphs from %1").arg(family);
        for (quint32 glyph : run.glyphIndexes()) {
            if (glyph == 0) {
                problems << QStringLiteral("missing glyph");
                break;
            }
        }
    }
    return problems.join(QStringLiteral(", "));
}

// Dark pixels inside rect.
int inkIn(const QImage& image, const QRect& rect) {
    int ink = 0;
    const QRect box = rect.intersected(image.rect());
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) ++ink;
        }
    }
    return ink;
}

const char* const kLanguageNames[LanguageCount] = {"english", "russian", "french",  "german",
                                                   "dutch",   "polish",  "spanish", "chinese"};

}  // namespace

class TestTextRendering : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void appFont_isTheStandInAtPixelSize18();
    void tableText_drawnWithGlyphs_data();
    void tableText_drawnWithGlyphs();
    void everyText_everyLanguage_hasGlyphs();
    void fixedMenuTexts_haveGlyphs();
    void glyphCheck_flagsCharacterTheFontLacks();

    void everyText_hasAPlaceToFit();
    void everyTranslation_fitsWhereItIsShown();
    void fitCheck_rejectsTooLongTexts_data();
    void fitCheck_rejectsTooLongTexts();
    void fitCheck_wrapsChineseBetweenCharacters();

private:
    QFont m_font;
    QTemporaryDir m_shots;
};

void TestTextRendering::initTestCase() {
    QString why;
    if (!TestAppFont::load(&m_font, &why)) QSKIP(qPrintable(why));
    QVERIFY(m_shots.isValid());
    // KORVEL_KEEP_SHOTS=1 keeps the pictures for a look after the run.
    if (qEnvironmentVariableIsSet("KORVEL_KEEP_SHOTS")) m_shots.setAutoRemove(false);
    qInfo("pictures in %s", qPrintable(m_shots.path()));
}

void TestTextRendering::appFont_isTheStandInAtPixelSize18() {
    QCOMPARE(m_font.family(), QString::fromLatin1(TestAppFont::familyName()));
    QCOMPARE(m_font.pixelSize(), 18);
    QCOMPARE(QFontInfo(m_font).pixelSize(), 18);
}

void TestTextRendering::tableText_drawnWithGlyphs_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("mustContain");
    const struct {
        int language;
        EnumTrString id;
        const char* mustContain;
    } rows[] = {
        {LanguageChinese, TR_Basic, "基本"},
        {LanguageChinese, TR_SystemTitle, "系统"},
        {LanguageChinese, TR_QuickOperationTitle, "快捷"},
        {LanguageRussian, TR_Basic, "БАЗОВЫЙ"},
        {LanguageRussian, TR_SystemTitle, "СИСТЕМА"},
        {LanguageRussian, TR_QuickOperationTitle, "БЫСТРОЕ"},
        {LanguagePolish, TR_HBoat, "Łódź"},
        {LanguagePolish, TR_DepthRange, "łęś"},
        {LanguagePolish, TR_SaveCurrent, "żą"},
        {LanguageFrench, TR_QuickOperationTitle, "É"},
        {LanguageFrench, TR_SystemInfo, "è"},
        {LanguageFrench, TR_StopAutopilot, "ê"},
        {LanguageFrench, TR_Icon, "ô"},
        {LanguageGerman, TR_Exit, "ü"},
        {LanguageGerman, TR_Delete, "ö"},
        {LanguageGerman, TR_Longitude, "ä"},
        {LanguageSpanish, TR_CalibrateDisplayCompass, "ú"},
        {LanguageSpanish, TR_UpdateOk, "¡ó"},
    };
    for (const auto& row : rows) {
        QTest::addRow("%s %d", kLanguageNames[row.language], int(row.id))
            << row.language << int(row.id) << QString::fromUtf8(row.mustContain);
    }
}

void TestTextRendering::tableText_drawnWithGlyphs() {
    QFETCH(int, language);
    QFETCH(int, id);
    QFETCH(QString, mustContain);
    const QString text = TrResource::getTrString(EnumTrString(id), language);
    // The row must really exercise the letters it names.
    for (QChar c : mustContain)
        QVERIFY2(text.contains(c), qPrintable(text));

    QCOMPARE(glyphProblems(m_font, text), QString());

    // Drawn as a title bar would: black on white, within the 272 px screen width.
    StructLaidOut laidOut(text, m_font);
    const QRectF bounds = laidOut.box;
    QVERIFY(bounds.width() > 0 && bounds.width() <= 262);
    QImage image(272, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QPointF origin(5, 8);
    {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        laidOut.layout.draw(&painter, origin);
    }
    const QString file = m_shots.filePath(
        QStringLiteral("%1_%2.png").arg(QLatin1String(kLanguageNames[language])).arg(id));
    QVERIFY(image.save(file));

    const QRect textBox = bounds.translated(origin).toAlignedRect();
    const int ink = inkIn(image, textBox);
    // Strokes of every character leave ink; an empty or near-empty box means nothing drew.
    QVERIFY2(ink >= 8 * text.size(), qPrintable(QStringLiteral("%1 dark pixels").arg(ink)));
    // And nothing was drawn outside the text's box.
    QCOMPARE(inkIn(image, image.rect()), ink);
}

void TestTextRendering::everyText_everyLanguage_hasGlyphs() {
    QStringList failures;
    for (int language = 0; language < LanguageCount; ++language) {
        for (int id = 0; id < TR_COUNT; ++id) {
            const QString text = TrResource::getTrString(EnumTrString(id), language);
            const QString problems = glyphProblems(m_font, text);
            if (!problems.isEmpty()) {
                failures << QStringLiteral("%1 %2 \"%3\": %4")
                                .arg(QLatin1String(kLanguageNames[language]))
                                .arg(id)
                                .arg(text, problems);
            }
        }
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

void TestTextRendering::fixedMenuTexts_haveGlyphs() {
    // Texts the menus show without the table: the language names, the two Chinese rows of
    // the quick menu and the temperature units.
    const char* const texts[] = {"English",    "Pусский",  "Français", "Deutsch",
                                 "Nederland",  "Polski",   "Español",  "中文",
                                 "开发者模式", "轨迹巡航", "m / ℃",    "ft / ℉"};
    for (const char* text : texts) {
        QCOMPARE(glyphProblems(m_font, QString::fromUtf8(text)), QString());
    }
}

void TestTextRendering::glyphCheck_flagsCharacterTheFontLacks() {
    // U+0378 is unassigned: no font has a glyph for it, so it shapes to the box.
    const QString text = QStringLiteral("A") + QChar(0x0378);
    QVERIFY(!QRawFont::fromFont(m_font).supportsCharacter(QChar(0x0378)));
    QVERIFY(glyphProblems(m_font, text).contains(QLatin1String("missing glyph")));
}

void TestTextRendering::everyText_hasAPlaceToFit() {
    QVector<bool> covered(TR_COUNT, false);
    for (const TextFit::StructFitRule& rule : TextFit::rules()) {
        QVERIFY2(rule.id > 0 && rule.id < TR_COUNT, qPrintable(QString::number(rule.id)));
        covered[rule.id] = true;
    }
    QStringList missing;
    for (int id = 1; id < TR_COUNT; ++id) {
        if (!covered[id]) missing << QString::number(id);
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no rule for ") + missing.join(' ')));
}

void TestTextRendering::everyTranslation_fitsWhereItIsShown() {
    const QFontMetrics metrics(m_font);
    // The widest text of each language, and the widest one shown on a single line, for the
    // record.
    for (int language = 0; language < LanguageCount; ++language) {
        int widest = 0;
        int widestId = 1;
        int widestLine = 0;
        QString widestLineText;
        for (const TextFit::StructFitRule& rule : TextFit::rules()) {
            const QString text = TrResource::getTrString(EnumTrString(rule.id), language);
            const int width = metrics.horizontalAdvance(text);
            if (width > widest) {
                widest = width;
                widestId = rule.id;
            }
            const QString shown = TextFit::measuredText(rule, language);
            const int shownWidth = metrics.horizontalAdvance(shown);
            if (rule.kind != TextFit::KindMessage && shownWidth > widestLine) {
                widestLine = shownWidth;
                widestLineText = QStringLiteral("%1 (%2 %3)")
                                     .arg(shown.trimmed(), TextFit::kindName(rule.kind))
                                     .arg(rule.id);
            }
        }
        qInfo("%-8s widest %3d px: %3d \"%s\"; widest single line %3d px: %s",
              kLanguageNames[language], widest, widestId,
              qPrintable(TrResource::getTrString(EnumTrString(widestId), language)), widestLine,
              qPrintable(widestLineText));
    }

    const QVector<TextFit::StructFitProblem> problems = TextFit::checkAll(m_font);
    QStringList lines;
    for (const TextFit::StructFitProblem& p : problems) {
        lines << QStringLiteral("%1 %2 \"%3\" %4 px: %5")
                     .arg(QLatin1String(kLanguageNames[p.language]))
                     .arg(p.id)
                     .arg(p.text)
                     .arg(p.width)
                     .arg(p.why);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 texts do not fit:\n%2")
                                                .arg(problems.size())
                                                .arg(lines.join(QLatin1Char('\n')))));
}

void TestTextRendering::fitCheck_rejectsTooLongTexts_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    using namespace TextFit;
    const QString sentence = QStringLiteral("Go to the next target now ");
    QTest::newRow("row fits") << int(KindMenuRow) << 262 << QStringLiteral("  Simulator")
                              << QString();
    QTest::newRow("row too wide") << int(KindMenuRow) << 262
                                  << QStringLiteral("  Calibrate Compass of Display now!")
                                  << QStringLiteral("wider than 262");
    QTest::newRow("title too wide")
        << int(KindPageTitle) << 170 << QStringLiteral("QUICK OPERATION MENU")
        << QStringLiteral("wider");
    QTest::newRow("message in three lines")
        << int(KindMessage) << kMessageWidth << sentence.repeated(2).trimmed() << QString();
    QTest::newRow("message in four lines")
        << int(KindMessage) << kMessageWidth << sentence.repeated(4).trimmed()
        << QStringLiteral("4 lines");
    QTest::newRow("unbreakable word")
        << int(KindMessage) << kMessageWidth
        << QStringLiteral("Fernbedienungsverbindungsherstellung") << QStringLiteral("a word is");
}

void TestTextRendering::fitCheck_rejectsTooLongTexts() {
    QFETCH(int, kind);
    QFETCH(int, width);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const TextFit::StructFitRule rule{1, TextFit::EnumTextKind(kind), width, "%1", -1};
    const QString why = TextFit::checkText(m_font, rule, text);
    if (expected.isEmpty()) {
        QCOMPARE(why, QString());
    } else {
        QVERIFY2(why.contains(expected), qPrintable(why));
    }
}

void TestTextRendering::fitCheck_wrapsChineseBetweenCharacters() {
    // 30 characters without a space: too wide for one line, yet no piece is unbreakable.
    const QString text = QString::fromUtf8("目标已标记在地图上请用遥控器控制").repeated(2).left(30);
    QCOMPARE(TextFit::widestUnbreakable(m_font, text),
             QFontMetrics(m_font).horizontalAdvance(QString::fromUtf8("目")));
    QCOMPARE(TextFit::wrappedLineCount(m_font, text, TextFit::kMessageWidth), 3);
}

KORVEL_TEST_MAIN(TestTextRendering)
#include "test_text_rendering.moc"

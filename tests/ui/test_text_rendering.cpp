#include "app_font.h"
#include "core/base/tr_resource.h"
#include "korvel_test.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QtTest>

namespace {

// Empty when every glyph of text comes from the font itself and none is the missing-glyph
// box (glyph 0); a handset has no fallback fonts, so a glyph borrowed from another installed
// font would be a box there.
QString glyphProblems(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty()) return QStringLiteral("no glyphs");
    QStringList problems;
    for (const QGlyphRun& run : runs) {
        if (run.rawFont().familyName() != font.family())
            problems << QStringLiteral("glyphs from %1").arg(run.rawFont().familyName());
        if (run.glyphIndexes().contains(0)) problems << QStringLiteral("missing glyph");
    }
    return problems.join(QStringLiteral(", "));
}

}  // namespace

class TestTextRendering : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QString why;
        if (!TestAppFont::load(&m_font, &why)) QSKIP(qPrintable(why));
    }

    // Start-up makes the loaded font the application font at the pixel size the layouts use.
    void appFont_pixelSize18() {
        QCOMPARE(QApplication::font().family(), QString::fromLatin1(TestAppFont::familyName()));
        QCOMPARE(QFontInfo(QApplication::font()).pixelSize(), 18);
    }

    void everyText_everyLanguage_hasGlyphs() {
        QStringList failures;
        for (int language = 0; language < LanguageCount; ++language) {
            for (int id = 0; id < TR_COUNT; ++id) {
                const QString text = TrResource::getTrString(EnumTrString(id), language);
                const QString problems = glyphProblems(m_font, text);
                if (!problems.isEmpty())
                    failures << QStringLiteral("language %1 id %2 \"%3\": %4")
                                    .arg(language)
                                    .arg(id)
                                    .arg(text, problems);
            }
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }

private:
    QFont m_font;
};

KORVEL_TEST_MAIN(TestTextRendering)
#include "test_text_rendering.moc"

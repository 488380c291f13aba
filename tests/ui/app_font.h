#pragma once

#include <QFont>
#include <QString>

// The font the tests measure and draw texts with: the application font exactly as start-up
// sets it (AppSetup::apply, pixel size 18), loaded from the system font that a development
// machine uses for "Regular.otf". Tests never read the program's working directory.
namespace TestAppFont {

// The family the stand-in font file must provide; it covers Latin with its accents,
// Polish, Cyrillic and Chinese in one face.
inline const char* familyName() {
    return "WenQuanYi Micro Hei";
}

// Loads the installed font file through AppSetup::apply and returns the application font. On
// failure returns false and says why in *why (for QSKIP).
bool load(QFont* font, QString* why);

}  // namespace TestAppFont

// In a test's initTestCase: the application font, or the whole test skipped with the reason.
#define KORVEL_REQUIRE_APP_FONT()                                       \
    do {                                                                \
        QString why_;                                                   \
        QFont font_;                                                    \
        if (!TestAppFont::load(&font_, &why_)) QSKIP(qPrintable(why_)); \
    } while (false)

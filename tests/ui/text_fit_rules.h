#pragma once

#include <QFont>
#include <QString>
#include <QVector>

// Where each translated text is shown, and how much room it has there, for checking that
// every language fits the 272 x 480 screen with the application font.
namespace TextFit {

enum EnumTextKind {
    KindPageTitle,     // title bar of the main and quick menu list (180 px)
    KindMenuRow,       // main or quick menu row; a long row is shown whole in the tip box
    KindEditorTitle,   // title bar of a pop-up editor (200 px, image chooser 265 px)
    KindEditorRow,     // radio button or check box row in a pop-up editor
    KindSmallMenuRow,  // row of the 185 px pop-up list
    KindScreenTitle,   // title bar of a list screen or editor screen
    KindDialogTitle,   // title bar of a 252 px dialog
    KindFieldLabel,    // label in front of a value on a screen, with its colon
    KindTableHeader,   // column header of a fixed-width column
    KindButton,        // one of two buttons side by side in a dialog
    KindCheckBox,      // check box on the 260 px course-cruise screen
    KindMessage        // dialog body: wraps at word breaks over a few lines
};

// Dialog body: the 252 px dialog less its frame and margins.
constexpr int kMessageWidth = 232;
constexpr int kMessageMaxLines = 3;

// One use of a text. The measured text is pattern with %1 the text of id and %2 the text of
// secondId, so that texts joined with others or with numbers are measured as shown.
struct StructFitRule {
    int id;
    EnumTextKind kind;
    int width;
    const char* pattern;
    int secondId;
};

struct StructFitProblem {
    int language;
    int id;
    QString text;  // as measured, pattern applied
    int width;     // natural single-line width in pixels
    QString why;
};

const QVector<StructFitRule>& rules();
QString kindName(EnumTextKind kind);

// The text a rule measures in the given language.
QString measuredText(const StructFitRule& rule, int language);

// Lines the text takes when wrapped at width, and the widest piece that cannot be broken.
int wrappedLineCount(const QFont& font, const QString& text, int width);
int widestUnbreakable(const QFont& font, const QString& text);

// Empty when text fits the rule; otherwise the reason.
QString checkText(const QFont& font, const StructFitRule& rule, const QString& text);

// Every rule in every language.
QVector<StructFitProblem> checkAll(const QFont& font);

}  // namespace TextFit

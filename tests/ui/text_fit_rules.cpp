#include "text_fit_rules.h"

#include "core/base/tr_resource.h"

#include <QFontMetrics>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <initializer_list>

namespace TextFit {

namespace {

// Room in pixels, from the widget rectangles less frames and padding.
constexpr int kPageTitle = 170;      // 180 px list
constexpr int kMenuTip = 262;        // tip box across the 272 px screen
constexpr int kEditorTitle = 190;    // 200 px editors
constexpr int kImageTitle = 255;     // 265 px image chooser
constexpr int kRouteColor = 170;     // 180 px route-colour editor
constexpr int kEditorRow = 160;      // 200 px editor less the radio or check indicator
constexpr int kRouteColorRow = 150;  // 180 px editor less the check indicator
constexpr int kSmallMenuRow = 175;   // 185 px column
constexpr int kWideScreen = 250;     // 260 px screens
constexpr int kListScreen = 215;     // 225 px screens
constexpr int kNarrowScreen = 190;   // 200 px screens
constexpr int kDialogTitle = 244;    // 252 px dialogs
constexpr int kFieldLabel = 150;     // leaves the value its room beside the label
constexpr int kSnColumn = 36;        // 40 px column
constexpr int kNameColumn = 146;     // 150 px column
constexpr int kButton = 110;         // two buttons side by side in a dialog
constexpr int kCheckBox = 230;       // 260 px screen less the check indicator

void add(QVector<StructFitRule>& out, EnumTextKind kind, int width, const char* pattern,
         std::initializer_list<int> ids) {
    for (int id : ids)
        out.append(StructFitRule{id, kind, width, pattern, -1});
}

QVector<StructFitRule> buildRules() {
    QVector<StructFitRule> r;
    add(r, KindPageTitle, kPageTitle, "%1", {7, 16, 39, 50, 66, 80});
    // List rows are drawn with two leading spaces.
    add(r, KindMenuRow, kMenuTip, "  %1",
        {1,  2,  8,  9,  10, 11, 12, 13, 14, 15, 17, 18,  19,  20,  21,  22,  34,  35,  36,  37, 38,
         40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 51, 56,  60,  63,  64,  65,  67,  68,  69,  70, 71,
         72, 73, 74, 75, 76, 77, 78, 79, 81, 82, 98, 107, 108, 109, 110, 111, 112, 118, 203, 210});
    // A row that opens an editor gives the editor its title.
    add(r, KindEditorTitle, kEditorTitle, "%1",
        {8,  9,  10, 12, 15, 17, 19, 20, 22, 34, 35, 36, 37, 38, 40, 41, 42,  43,
         44, 45, 46, 51, 56, 60, 63, 64, 65, 67, 68, 69, 70, 71, 72, 73, 118, 210});
    add(r, KindEditorTitle, kImageTitle, "%1", {11, 13});
    add(r, KindScreenTitle, kRouteColor, "%1", {14});
    add(r, KindEditorRow, kEditorRow, "%1",
        {3, 4, 23, 24, 25, 52, 53, 54, 55, 57, 58, 59, 61, 62, 119, 120, 211, 212, 213});
    add(r, KindEditorRow, kRouteColorRow, "%1", {5, 6});
    add(r, KindSmallMenuRow, kSmallMenuRow, "  %1",
        {26, 27, 28, 29, 30, 31, 32, 33, 91, 92, 93, 94, 95, 96, 97, 102, 103, 104, 105, 106, 208});
    add(r, KindScreenTitle, kListScreen, "%1", {82, 87, 98});
    add(r, KindScreenTitle, kNarrowScreen, "%1", {97, 112});
    add(r, KindScreenTitle, kWideScreen, "%1", {203});
    add(r, KindDialogTitle, kDialogTitle, "%1",
        {47, 48, 49, 74, 76, 77, 82, 107, 128, 137, 141, 154, 161, 164, 208});
    add(r, KindFieldLabel, kFieldLabel,
        "%1:", {23,  26,  29,  83,  84,  85,  88,  89,  90,  99,  100,
                101, 113, 116, 117, 162, 204, 205, 206, 207, 209, 215});
    add(r, KindFieldLabel, kFieldLabel, "%1: (°)", {86});
    add(r, KindFieldLabel, kFieldLabel, "%1 :", {114});
    add(r, KindTableHeader, kSnColumn, "%1", {83});
    add(r, KindTableHeader, kNameColumn, "%1", {84});
    add(r, KindButton, kButton, "%1", {2, 91, 115, 121, 122, 123, 124, 125, 126});
    add(r, KindCheckBox, kCheckBox, "%1", {222});
    add(r, KindMessage, kMessageWidth, "%1",
        {127, 129, 130, 131, 132, 133, 134, 135, 136, 138, 139, 140, 142, 143, 144, 145, 146,
         147, 148, 149, 150, 154, 155, 156, 157, 158, 159, 160, 163, 165, 166, 167, 168, 169,
         170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182, 183, 184, 185, 186,
         187, 188, 189, 190, 191, 193, 194, 195, 196, 197, 198, 199, 200, 201, 202, 217, 218});
    // Texts shown joined with a number, a time or another text.
    add(r, KindMessage, kMessageWidth, "%1...", {151, 152, 153});
    add(r, KindMessage, kMessageWidth, "%1 01:30", {192});
    add(r, KindMessage, kMessageWidth, "%1 100", {214});
    add(r, KindMessage, kMessageWidth, "12 %1", {219});
    add(r, KindMessage, kMessageWidth, "%1 000 - 099", {220, 221});
    r.append(StructFitRule{216, KindMessage, kMessageWidth, "%2 3 %1", 215});
    r.append(StructFitRule{160, KindMessage, kMessageWidth, "%1%2", 155});
    return r;
}

}  // namespace

const QVector<StructFitRule>& rules() {
    static const QVector<StructFitRule> all = buildRules();
    return all;
}

QString kindName(EnumTextKind kind) {
    static const char* const names[] = {"page title",   "menu row",       "editor title",
                                        "editor row",   "small menu row", "screen title",
                                        "dialog title", "field label",    "table header",
                                        "button",       "check box",      "message"};
    return QString::fromLatin1(names[kind]);
}

QString measuredText(const StructFitRule& rule, int language) {
    QString text =
        QString::fromUtf8(rule.pattern)
            .replace(QLatin1String("%1"), TrResource::getTrString(EnumTrString(rule.id), language));
    if (rule.secondId >= 0) {
        text.replace(QLatin1String("%2"),
                     TrResource::getTrString(EnumTrString(rule.secondId), language));
    }
    return text;
}

int wrappedLineCount(const QFont& font, const QString& text, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

int widestUnbreakable(const QFont& font, const QString& text) {
    // Pieces between line-break opportunities: words in Latin and Cyrillic texts, single
    // characters (with their punctuation) in Chinese.
    const QFontMetrics metrics(font);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    int widest = 0;
    int start = 0;
    while (start < text.size()) {
        int end = finder.toNextBoundary();
        if (end < 0) end = text.size();
        widest = qMax(widest, metrics.horizontalAdvance(text.mid(start, end - start).trimmed()));
        start = end;
    }
    return widest;
}

QString checkText(const QFont& font, const StructFitRule& rule, const QString& text) {
    if (rule.kind == KindMessage) {
        const int widest = widestUnbreakable(font, text);
        if (widest > rule.width) {
            return QStringLiteral("a word is %1 px, wider than the %2 px dialog")
                .arg(widest)
                .arg(rule.width);
        }
        const int lines = wrappedLineCount(font, text, rule.width);
        if (lines > kMessageMaxLines) {
            return QStringLiteral("%1 lines at %2 px, at most %3")
                .arg(lines)
                .arg(rule.width)
                .arg(kMessageMaxLines);
        }
        return QString();
    }
    const int width = QFontMetrics(font).horizontalAdvance(text);
    if (width > rule.width) {
        return QStringLiteral("%1 wider than %2 px").arg(kindName(rule.kind)).arg(rule.width);
    }
    return QString();
}

QVector<StructFitProblem> checkAll(const QFont& font) {
    QVector<StructFitProblem> problems;
    const QFontMetrics metrics(font);
    for (int language = 0; language < LanguageCount; ++language) {
        for (const StructFitRule& rule : rules()) {
            const QString text = measuredText(rule, language);
            const QString why = checkText(font, rule, text);
            if (!why.isEmpty()) {
                problems.append(StructFitProblem{language, rule.id, text,
                                                 metrics.horizontalAdvance(text), why});
            }
        }
    }
    return problems;
}

}  // namespace TextFit

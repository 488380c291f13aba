#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

// Colours and drawing helpers shared by the keypad widgets. Chosen for a small screen read in
// sunlight: white text on a dark panel, dark text on a light title band, and a yellow bar with
// black text for the selection, each pair well above a 7:1 contrast ratio.
namespace UxTheme {

const QColor kPanel(11, 26, 46);
const QColor kInk(255, 255, 255);
const QColor kFixedInk(150, 170, 195);  // characters that cannot be edited
const QColor kFrame(90, 160, 224);
const QColor kTitleBand(232, 241, 255);
const QColor kTitleInk(11, 26, 46);
const QColor kSelect(255, 212, 0);
const QColor kSelectInk(0, 0, 0);
const QColor kDisabledInk(110, 125, 145);
const QColor kTrack(42, 68, 102);
const QColor kChosenFrame(255, 0, 0);  // the image chooser's "3px solid rgb(255,0,0)"

constexpr int kFrameWidth = 2;
constexpr int kTitleHeight = 28;
constexpr int kTextPad = 3;

// The application font (18 px), as set at start-up.
QFont font();
// The same at another pixel size.
QFont font(int pixelSize);

// font, or the same smaller and then narrower (down to three quarters of its size at 85 % of
// its width), as much as text needs to fit width pixels; the smallest when nothing fits.
QFont fitFont(const QFont& font, const QString& text, int width);

// The panel background with its frame around rect.
void drawPanel(QPainter& p, const QRect& rect);

// text left-aligned (or as flags say) and vertically centred in box, in the painter's font or
// one fitted to the box (fitFont); elided with "…" only if it is wider still.
void drawText(QPainter& p, const QRect& box, const QString& text, const QColor& ink, int flags = 0);

// Sees every text drawText draws: the whole text, what was drawn of it, its box and its font.
// Lets a check see the texts exactly as painted; null (the default) for none.
using TextSeen = void (*)(const QString& text, const QString& shown, const QRect& box,
                          const QFont& font);
void setTextSeen(TextSeen seen);

}  // namespace UxTheme

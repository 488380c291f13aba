#pragma once

#include <QString>
#include <cstdint>

// The texts of a waypoint: its name's alphabet, the name proposed for a new one, the date and
// time made from a packed date-time word, and the forms a stored text must have to be read.
namespace WaypointTexts {

constexpr int kNameLength = 9;

// The 63 characters a name is made of, in the editor's order: the hyphen, 0-9, a-z, A-Z.
QString nameAlphabet();

// An imported name: every character outside the alphabet (also '_') becomes '-', then the
// first 9 are kept. A name left empty, or one that would read as an empty slot, is replaced
// by fallback.
QString importName(const QString& name, const QString& fallback);

// A name as the character editor starts on it: padded with blanks to the nine places, so a
// shorter name can grow.
QString nameForEditor(const QString& name);
// The editor's text back as a name: blanks at the end were never given a character, one
// inside stands for '-'. Empty when nothing was entered.
QString nameFromEditor(const QString& text);

// Month, day, '-', hour, minute of the word: 5 March 09:07 gives "0305-0907".
QString proposedName(uint32_t time);
// "15-03-05" and "09:07:30" for 5 March 2015 09:07:30.
QString dateText(uint32_t time);
QString timeText(uint32_t time);
// The same for a screen, "-.-" when the word holds no possible date or time (a foreign file's
// month 14 or minute 63).
QString shownDate(uint32_t time);
QString shownTime(uint32_t time);

// Whether a stored text has the form the screens and the exports read.
bool isLatitudeText(const QString& text);   // "N  48°07.1233′"
bool isLongitudeText(const QString& text);  // "E 011°34.5677′"
bool isDateText(const QString& text);       // "15-03-05"
bool isTimeText(const QString& text);       // "09:07:30"

}  // namespace WaypointTexts

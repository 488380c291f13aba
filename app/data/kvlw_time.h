#pragma once

#include <QtGlobal>
#include <cstdint>

// The packed date-time word of a sonar frame and of the controller's local time:
// bits 31-26 year - 2000, 25-22 month, 21-17 day, 16-12 hour, 11-6 minute, 5-0 second.
namespace KvlwTime {

struct StructDateTime {
    int year = 2000;  // full year
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

StructDateTime unpack(uint32_t word);
// 0 when the year lies outside 2000..2063, the word's range.
uint32_t pack(const StructDateTime& t);

// The local time for a UTC word: timeZone truncated to whole hours is added, so day, month
// and year roll over as the calendar does (leap years included). 0 when the word is not a
// calendar date or the result falls outside the word's range.
uint32_t utc2Local(uint32_t utcWord, float timeZone);

}  // namespace KvlwTime

// The date and the time of a packed word, as the screens take them apart.
namespace Global {
// year - 2000, month and day of the word.
void getKvlwDate(unsigned word, quint16& year, quint8& month, quint8& day);
void getKvlwTime(unsigned word, quint8& hour, quint8& minute, quint8& second);
}  // namespace Global

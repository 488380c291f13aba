#include "data/kvlw_time.h"

void Global::getKvlwDate(unsigned word, quint16& year, quint8& month, quint8& day) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(word);
    year = quint16(t.year - 2000);
    month = quint8(t.month);
    day = quint8(t.day);
}

void Global::getKvlwTime(unsigned word, quint8& hour, quint8& minute, quint8& second) {
    const KvlwTime::StructDateTime t = KvlwTime::unpack(word);
    hour = quint8(t.hour);
    minute = quint8(t.minute);
    second = quint8(t.second);
}

#include "base/ap_mode.h"

#include <iterator>

namespace {

struct StructModeLetter {
    EnumApMode mode;
    char letter;
};

constexpr StructModeLetter kModes[] = {
    {EnumApMode::Run, 'R'},     {EnumApMode::Manual, 'M'}, {EnumApMode::Finished, 'F'},
    {EnumApMode::Stopped, 'S'}, {EnumApMode::Error, 'E'},  {EnumApMode::Test, 'T'},
};

}  // namespace

namespace ApMode {

EnumApMode fromField(const QString& field) {
    if (field.isEmpty()) return EnumApMode::Unknown;
    const QChar first = field.at(0);
    for (const StructModeLetter& m : kModes)
        if (first == QLatin1Char(m.letter)) return m.mode;
    return EnumApMode::Unknown;
}

QString toField(EnumApMode mode) {
    for (const StructModeLetter& m : kModes)
        if (m.mode == mode) return QString(QLatin1Char(m.letter));
    return QString();
}

EnumRcState rcFromField(const QString& field) {
    if (field.startsWith(QLatin1Char('A'))) return EnumRcState::Active;
    if (field.startsWith(QLatin1Char('V'))) return EnumRcState::Void;
    return EnumRcState::Unknown;
}

}  // namespace ApMode

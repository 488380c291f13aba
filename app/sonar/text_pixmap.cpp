#include "sonar/text_pixmap.h"

#include <algorithm>

namespace {
StructTextPixmap loadSet(QChar prefix, bool withMinus) {
    StructTextPixmap set;
    for (int d = 0; d <= 9; ++d)
        set.digits << QPixmap(QStringLiteral(":/png/%1%2").arg(prefix).arg(d));
    set.dian = QPixmap(QStringLiteral(":/png/%1dian").arg(prefix));
    if (withMinus) set.heng = QPixmap(QStringLiteral(":/png/%1heng").arg(prefix));
    return set;
}
}  // namespace

const QPixmap& StructTextPixmap::digit(int d) const {
    return digits[std::clamp(d, 0, static_cast<int>(digits.size()) - 1)];
}

TextPixmap::TextPixmap()
    : big(loadSet(QLatin1Char('b'), true)),
      medium(loadSet(QLatin1Char('m'), false)),
      small(loadSet(QLatin1Char('s'), false)),
      unit_m(QStringLiteral(":/png/m")),
      unit_ft(QStringLiteral(":/png/ft")),
      unit_c(QStringLiteral(":/png/c")),
      unit_f(QStringLiteral(":/png/f")),
      unit_v(QStringLiteral(":/png/v")),
      unit_heng(QStringLiteral(":/png/heng")) {}

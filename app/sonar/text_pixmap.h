#pragma once

#include <QPixmap>
#include <QVector>

// One set of digit images with its decimal point and minus sign.
struct StructTextPixmap {
    QVector<QPixmap> digits;  // 0..9
    QPixmap dian;             // decimal point
    QPixmap heng;             // minus sign (may be null)
    const QPixmap& digit(int d) const;
};

// The read-out images: big, medium and small digits and the unit images.
class TextPixmap {
public:
    TextPixmap();
    StructTextPixmap big;
    StructTextPixmap medium;
    StructTextPixmap small;
    QPixmap unit_m, unit_ft, unit_c, unit_f, unit_v, unit_heng;
};

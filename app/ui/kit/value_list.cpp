#include "ui/kit/value_list.h"

#include <QtGlobal>

namespace ValueList {

QString format(float value) {
    return QString::number(double(value), 'g', 6);
}

int indexOf(float value, const QStringList& values) {
    return values.indexOf(format(value));
}

float valueAt(const QStringList& values, int index) {
    if (index < 0 || index >= values.size()) return 0.0f;
    return values.at(index).toFloat();
}

int step(int index, int steps, int count) {
    if (count <= 0) return -1;
    const long long moved = static_cast<long long>(index) + steps;
    return int(qBound<long long>(0, moved, count - 1));
}

}  // namespace ValueList

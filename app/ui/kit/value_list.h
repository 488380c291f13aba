#pragma once

#include <QString>
#include <QStringList>

// The value lists of the slider editors: value texts matched against a float field.
namespace ValueList {

// The field's value as the lists write it: shortest form, 6 significant digits (8.0 is "8").
QString format(float value);
// The index of the text equal to format(value), or -1.
int indexOf(float value, const QStringList& values);
// The value of a list text (0 for a text that is not a number).
float valueAt(const QStringList& values, int index);
// index moved by steps (negative: down), held inside 0..count-1; -1 for an empty list.
int step(int index, int steps, int count);

}  // namespace ValueList

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Golden files: what a program writes is compared with a reference kept in tests/golden/.
// KORVEL_REGENERATE=1 writes the references anew from the current output (then review the
// difference with git before committing it).
namespace Golden {

// The reference's path: tests/golden/<name>.
QString path(const QString& name);

// Compares bytes with the reference. On a difference: false, with why set to a readable
// line-by-line difference (text) or the first differing offset (binary).
bool compare(const QString& name, const QByteArray& actual, QString* why);

// Compares an image with the reference PNG. On a difference: false, with why set to the size
// or the number of differing pixels and the first of them.
bool compareImage(const QString& name, const QImage& actual, QString* why);

}  // namespace Golden

// QVERIFY with the difference in the failure text.
#define GOLDEN_COMPARE(name, actual)                                          \
    do {                                                                      \
        QString why_;                                                         \
        QVERIFY2(Golden::compare((name), (actual), &why_), qPrintable(why_)); \
    } while (false)

#define GOLDEN_COMPARE_IMAGE(name, actual)                                         \
    do {                                                                           \
        QString why_;                                                              \
        QVERIFY2(Golden::compareImage((name), (actual), &why_), qPrintable(why_)); \
    } while (false)

#include "golden.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace Golden {

namespace {

bool regenerate() {
    return qEnvironmentVariableIntValue("KORVEL_REGENERATE") == 1;
}

bool write(const QString& file, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool isText(const QByteArray& bytes) {
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 9 || (u > 13 && u < 32)) return false;
    }
    return true;
}

// A line as text, its carriage return made visible.
QString shown(const QByteArray& line) {
    return QString::fromLatin1(line).replace(QLatin1Char('\r'), QLatin1String("\\r"));
}

// The first lines that differ, as "-expected" / "+actual" pairs.
QString textDifference(const QByteArray& expected, const QByteArray& actual) {
    const QList<QByteArray> a = expected.split('\n');
    const QList<QByteArray> b = actual.split('\n');
    QStringList out;
    for (int i = 0; i < std::max(a.size(), b.size()) && out.size() < 12; ++i) {
        const QByteArray x = a.value(i);
        const QByteArray y = b.value(i);
        if (x == y) continue;
        out << QStringLiteral("line %1:").arg(i + 1) << QStringLiteral("  - ") + shown(x)
            << QStringLiteral("  + ") + shown(y);
    }
    return out.join('\n');
}

// Qt's raster engine draws transformed pixmaps with SIMD code on x86 and with plain C on ARM:
// there the smoothed edges of a turned picture differ by a few levels (6 seen), nothing more.
#ifdef __arm__
constexpr int kLevels = 8;
#else
constexpr int kLevels = 0;
#endif

bool samePixel(QRgb a, QRgb b) {
    return qAbs(qRed(a) - qRed(b)) <= kLevels && qAbs(qGreen(a) - qGreen(b)) <= kLevels &&
           qAbs(qBlue(a) - qBlue(b)) <= kLevels && qAbs(qAlpha(a) - qAlpha(b)) <= kLevels;
}

}  // namespace

QString path(const QString& name) {
    return QStringLiteral(KORVEL_GOLDEN_DIR) + QLatin1Char('/') + name;
}

bool compare(const QString& name, const QByteArray& actual, QString* why) {
    const QString file = path(name);
    if (regenerate()) return write(file, actual);
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        *why = file + QStringLiteral(": no reference (KORVEL_REGENERATE=1 writes it)");
        return false;
    }
    const QByteArray expected = f.readAll();
    if (expected == actual) return true;
    if (isText(expected) && isText(actual)) {
        *why = name + QStringLiteral(" differs:\n") + textDifference(expected, actual);
    } else {
        int at = 0;
        while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
            ++at;
        *why = QStringLiteral("%1 differs at byte %2 (sizes %3 and %4)")
                   .arg(name)
                   .arg(at)
                   .arg(expected.size())
                   .arg(actual.size());
    }
    return false;
}

bool compareImage(const QString& name, const QImage& actual, QString* why) {
    const QString file = path(name);
    const QImage got = actual.convertToFormat(QImage::Format_ARGB32);
    if (regenerate()) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        return got.save(file);
    }
    const QImage expected = QImage(file).convertToFormat(QImage::Format_ARGB32);
    if (expected.isNull()) {
        *why = file + QStringLiteral(": no reference (KORVEL_REGENERATE=1 writes it)");
        return false;
    }
    if (expected.size() != got.size()) {
        *why = QStringLiteral("%1: size %2x%3, expected %4x%5")
                   .arg(name)
                   .arg(got.width())
                   .arg(got.height())
                   .arg(expected.width())
                   .arg(expected.height());
        return false;
    }
    int differing = 0;
    QPoint first;
    for (int y = 0; y < got.height(); ++y) {
        for (int x = 0; x < got.width(); ++x) {
            if (samePixel(got.pixel(x, y), expected.pixel(x, y))) continue;
            if (differing++ == 0) first = QPoint(x, y);
        }
    }
    if (differing == 0) return true;
    *why = QStringLiteral("%1: %2 pixels differ, the first at (%3, %4)")
               .arg(name)
               .arg(differing)
               .arg(first.x())
               .arg(first.y());
    return false;
}

}  // namespace Golden

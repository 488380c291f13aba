#include "platform/versions.h"

#include "base/ini_file.h"
#include "base/regular_file.h"
#include "platform/platform.h"

#include <QFile>
#include <QRegularExpression>

quint16 Global::current_model = 0;
QString Global::current_kernel;

namespace {
const char* const kAppRecord = "/opt/korvel/readme.kvc";
const char* const kModelRecord = "/opt/model.kvc";
const char* const kUnknown = "-.-";
constexpr int kMaxVersionChars = 32;

QString recordValue(const char* file, const char* key) {
    const QString path = Platform::path(QLatin1String(file));
    const IniFile record(path);
    // A version is a few characters; more is not a record of this system's.
    return record.value(QLatin1String(key)).toString().trimmed().left(kMaxVersionChars);
}

// The kernel's own line, e.g. "Linux version 2.6.35.3 (...) #1 PREEMPT Fri Mar 2 10:20:38 CST
// 2018", read straight from /proc/version (under a development root, <root>/proc/version, so
// a test can choose it): no shell and no temporary file.
QByteArray procVersion() {
    const QString file = Platform::path(QStringLiteral("/proc/version"));
    if (!isRegularFile(file)) return QByteArray();
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.read(4096) : QByteArray();
}

// The build date at the end of the line as yyyyMMdd; empty when the line has none.
QString buildDate(const QString& line) {
    static const QStringList months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static const QRegularExpression date(
        QStringLiteral("\\b([A-Z][a-z]{2})\\s+(\\d{1,2})\\s+\\d{1,2}:\\d{2}:\\d{2}\\s+"
                       "(?:\\S+\\s+)?(\\d{4})\\s*$"));
    const auto m = date.match(line.trimmed());
    if (!m.hasMatch()) return QString();
    const int month = months.indexOf(m.captured(1)) + 1;
    if (month == 0) return QString();
    return QStringLiteral("%1%2%3")
        .arg(m.captured(3))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(m.captured(2).toInt(), 2, 10, QLatin1Char('0'));
}
}  // namespace

QString Global::getCurrent_app() {
    const QString version = recordValue(kAppRecord, "Info/VERSION");
    return version.isEmpty() ? QLatin1String(kUnknown) : version;
}

QString Global::getCurrent_model() {
    const QString letter = recordValue(kModelRecord, "Info/MODEL");
    const QString version = recordValue(kModelRecord, "Info/VERSION");
    current_model = letter.isEmpty() ? 0 : letter.at(0).unicode();
    if (letter.isEmpty()) return QLatin1String(kUnknown);
    return version.isEmpty() ? letter.left(1) : letter.left(1) + QLatin1Char(' ') + version;
}

QString Global::getCurrent_kernel() {
    const QString date = buildDate(QString::fromLocal8Bit(procVersion()));
    current_kernel = date.isEmpty() ? QLatin1String(kUnknown) : date;
    return current_kernel;
}

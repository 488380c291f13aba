#include "version_record.h"

#include "settings_check.h"

#include <QDir>
#include <QSettings>

namespace {

constexpr double kSameVersion = 0.000001;
// A version is a few characters; more is not a record of this system's.
constexpr int kMaxVersionChars = 32;

double leadingNumber(const QString& text, bool secondVariant) {
    return text.left(secondVariant ? 5 : 4).toDouble();
}

}  // namespace

namespace VersionRecord {

StructVersion read(const QString& file) {
    if (!QFile::exists(file)) return {};
    QString why;
    if (!SettingsCheck::isSafe(file, &why)) {
        qWarning("version record %s is %s; not read", qPrintable(file), qPrintable(why));
        return {};
    }
    const QSettings record(QDir::current().absoluteFilePath(file), QSettings::IniFormat);
    return {record.value(QStringLiteral("Info/VERSION")).toString().left(kMaxVersionChars),
            record.value(QStringLiteral("Info/VERSIONSablo")).toString().left(kMaxVersionChars)};
}

bool isSecondVariant(const StructVersion& installed) {
    return !installed.variant.isEmpty();
}

QString text(const StructVersion& v, bool secondVariant) {
    if (!secondVariant) return v.version;
    return QString(v.version).insert(qMin(4, v.version.size()), v.variant);
}

EnumOffer compare(const QString& current, const QString& offered, bool secondVariant, bool force) {
    const double d = leadingNumber(offered, secondVariant) - leadingNumber(current, secondVariant);
    if (d > kSameVersion) return EnumOffer::FocusYes;
    if (d < -kSameVersion) return EnumOffer::FocusNo;
    if (offered.size() > current.size()) return EnumOffer::FocusNo;
    if (offered.size() < current.size()) return EnumOffer::FocusYes;
    return force ? EnumOffer::FocusYes : EnumOffer::Skip;
}

}  // namespace VersionRecord

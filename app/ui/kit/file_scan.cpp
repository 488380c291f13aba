#include "ui/kit/file_scan.h"

#include "platform/platform.h"

#include <QDir>
#include <QRegularExpression>

namespace FileScan {

namespace {
const char kCardRoot[] = "/mnt/sd";
}

bool isOnCard(const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    return clean == QLatin1String(kCardRoot) || clean.startsWith(QLatin1String("/mnt/sd/"));
}

bool cardMounted() {
    const QDir mount(Platform::path(QLatin1String(kCardRoot)));
    return mount.exists() && !mount.entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty();
}

StructResult scan(const QString& folder, const QString& pattern, bool cardPresent) {
    StructResult result;
    if (isOnCard(folder) && !cardPresent) {
        result.status = EnumStatus::NoCard;
        return result;
    }
    QDir dir(Platform::path(folder));
    if (!dir.exists()) {
        result.status = EnumStatus::NoFolder;
        return result;
    }
    const QStringList filters =
        pattern.split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts);
    dir.setNameFilters(filters);
    // Without QDir::CaseSensitive the filters match regardless of case.
    dir.setFilter(QDir::Files | QDir::Readable);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    result.names = dir.entryList();
    result.status = EnumStatus::Listed;
    return result;
}

}  // namespace FileScan

// Arbitrary bytes as the update program's INI files: a version record read back, and a
// configuration file checked and migrated. No crash, no hang, versions of a record's length.
#include "config_migration.h"
#include "settings_check.h"
#include "version_record.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {
QTemporaryDir* g_dir = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_dir = new QTemporaryDir;
    qputenv("QT_LOGGING_RULES", "*=false");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool record = data[0] & 1;
    const QString path = g_dir->filePath(record ? "readme.kvc" : "configuration.kcg");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    f.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    f.close();
    if (record) {
        const StructVersion v = VersionRecord::read(path);
        if (v.version.size() > 32 || v.variant.size() > 32) std::abort();
    } else if (SettingsCheck::isSafe(path)) {
        ConfigMigration::migrate(path);
    }
    QFile::remove(path);
    return 0;
}

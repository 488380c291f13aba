// Arbitrary bytes as a sonar log opened for replay: no crash, no read beyond a buffer; every
// record the index gives reads back as a record, and the times never go back.
#include "data/log_index.h"
#include "link/history_log_reader.h"

#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("fuzz.kvlw"));
    QFile f(name);
    if (!f.open(QIODevice::WriteOnly)) return 0;
    f.write(reinterpret_cast<const char*>(data), qint64(size));
    f.close();
    LogIndex index;
    const EnumLogOpen result = index.open(name, 64);
    if ((result == EnumLogOpen::Ok || result == EnumLogOpen::Cut) != (index.count() > 0))
        std::abort();
    const QVector<kvl_w> frames = index.frames(-3, index.count() + 6);
    for (int i = 0; i < index.count(); ++i) {
        if (!HistoryLogReader::isRecord(frames[i + 3].bytes)) std::abort();
        if (i > 0 && index.entry(i).seconds < index.entry(i - 1).seconds) std::abort();
    }
    if (index.count() > 0 && index.indexAt(index.totalSeconds() + 1) != index.count() - 1)
        std::abort();
    return 0;
}

#include "platform/adc_virtual.h"

#include "base/regular_file.h"
#include "platform/board.h"
#include "platform/platform.h"

#include <QFile>

bool AdcVirtual::read(int* raw) {
    if (raw == nullptr) return false;
    const QString path = Platform::path(QLatin1String(Board::kAdc));
    if (!isRegularFile(path)) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    bool ok = false;
    const int value = f.read(64).trimmed().toInt(&ok);
    if (!ok) return false;
    *raw = value;
    return true;
}

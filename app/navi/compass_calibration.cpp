#include "navi/compass_calibration.h"

#include "base/ini_file.h"
#include "platform/platform.h"

#include <QSettings>

namespace {

QString keyOf(int index) {
    return QStringLiteral("OFFSET_BUF/%1").arg(index);
}

void putShort(QByteArray& r, int at, int value) {
    r[at] = char(value & 0xff);
    r[at + 1] = char((value >> 8) & 0xff);
}

int getShort(const QByteArray& r, int at) {
    return int16_t(uint16_t(uint8_t(r[at]) | uint8_t(r[at + 1]) << 8));
}

}  // namespace

void StructMegCalibration::recomputeRanges() {
    for (int i = 0; i < 3; ++i) {
        range[i] = max[i] - min[i];
        if (range[i] == 0) range[i] = 1;
    }
}

bool StructMegCalibration::operator==(const StructMegCalibration& o) const {
    for (int i = 0; i < 3; ++i) {
        if (min[i] != o.min[i] || max[i] != o.max[i] || range[i] != o.range[i]) return false;
    }
    return true;
}

namespace CompassCalibration {

QByteArray record(const StructMegCalibration& cal) {
    QByteArray r(kRecordSize, '\0');
    for (int i = 0; i < 3; ++i) {
        putShort(r, 2 * i, cal.max[i]);
        putShort(r, 6 + 2 * i, cal.min[i]);
    }
    char x = 0;
    for (int i = 0; i < kRecordSize - 1; ++i)
        x ^= r[i];
    r[kRecordSize - 1] = x;
    return r;
}

bool fromRecord(const QByteArray& record, StructMegCalibration* cal) {
    if (record.size() != kRecordSize) return false;
    char x = 0;
    for (char c : record)
        x ^= c;
    if (x != 0) return false;
    for (int i = 0; i < 3; ++i) {
        cal->max[i] = getShort(record, 2 * i);
        cal->min[i] = getShort(record, 6 + 2 * i);
    }
    cal->recomputeRanges();
    return true;
}

QByteArray readRecord(const QString& path) {
    const QString file = Platform::path(path);
    QByteArray r;
    const IniFile ini(file);
    for (int i = 0; i < kRecordSize; ++i) {
        bool ok = false;
        const int v = ini.value(keyOf(i)).toString().toInt(&ok);
        if (!ok || v < 0 || v > 255) break;
        r.append(char(v));
    }
    return r;
}

bool writeRecord(const QString& path, const QByteArray& record) {
    const QString file = Platform::path(path);
    if (!IniFile::mayWrite(file)) return false;
    QSettings ini(file, QSettings::IniFormat);
    for (int i = 0; i < record.size(); ++i)
        ini.setValue(keyOf(i), int(uint8_t(record[i])));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

bool load(StructMegCalibration* cal) {
    return fromRecord(readRecord(QLatin1String(kFile)), cal) ||
           fromRecord(readRecord(QLatin1String(kFactoryFile)), cal);
}

bool save(const StructMegCalibration& cal) {
    return writeRecord(QLatin1String(kFile), record(cal));
}

}  // namespace CompassCalibration

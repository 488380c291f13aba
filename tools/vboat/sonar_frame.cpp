#include "sonar_frame.h"

#include "sbus.h"

#include <cmath>

namespace vboat {

namespace {
void put16(QByteArray& b, int at, quint32 v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void put32(QByteArray& b, int at, quint32 v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
}  // namespace

QByteArray encodeFrame(const FrameFields& f) {
    QByteArray b(kFrameSize, '\0');
    b[0] = '#';
    b[1] = 0x10;
    b[2] = 0x01;
    b[3] = static_cast<char>(f.status);
    put32(b, 4, f.rangeCm);
    put32(b, 8, static_cast<quint32>(f.latitudeDm));
    put32(b, 12, static_cast<quint32>(f.longitudeDm));
    put32(b, 16, f.utc);
    put16(b, 20, f.headingTenths);
    put16(b, 22, f.hdop100);
    b[24] = static_cast<char>(f.satellites);
    b[25] = static_cast<char>(f.speedTenths);
    b[28] = static_cast<char>(f.fishRow);
    b[29] = static_cast<char>(f.fishStrength);
    b[30] = static_cast<char>(f.topRow);
    b[31] = static_cast<char>(f.batteryTenths);
    b[32] = static_cast<char>(f.temperatureF);
    put16(b, 33, f.depthCm);
    for (int i = 0; i < kSampleCount; ++i)
        b[kSamplesOffset + i] = static_cast<char>(f.samples[i]);
    b[kFrameSize - 1] = static_cast<char>(xorBytes(b.constData() + 3, kFrameSize - 4));
    return b;
}

quint32 packUtc(const QDateTime& utc) {
    const QDateTime t = utc.toUTC();
    const QDate d = t.date();
    const QTime c = t.time();
    if (!t.isValid() || d.year() < 2000 || d.year() > 2063) return 0;
    return (quint32(d.year() - 2000) << 26) | (quint32(d.month()) << 22) |
           (quint32(d.day()) << 17) | (quint32(c.hour()) << 12) | (quint32(c.minute()) << 6) |
           quint32(c.second());
}

qint32 degreesToDm(double degrees) {
    // Round in whole 0.00001 minutes first, so 59.999999' never turns into "60" minutes.
    const qint64 units = std::llround(std::fabs(degrees) * 60.0 * 100000.0);
    const qint64 perDegree = 60LL * 100000;
    const qint64 v = (units / perDegree) * 100LL * 100000 + units % perDegree;
    return static_cast<qint32>(degrees < 0 ? -v : v);
}

}  // namespace vboat

#include "navi/ux_compass_device.h"

#include "navi/compass_heading.h"
#include "platform/compass_bus.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr int kPowerMs = 100;
constexpr int kSettleMs = 100;
constexpr int kCfgNewMs = 20;
constexpr int kCaliMs = 10;
constexpr int kReadyTries2 = 7;
constexpr int kReadyTries1 = 6;
}  // namespace

UxCompassDevice::UxCompassDevice(std::unique_ptr<CompassBus> bus, Wait wait)
    : m_bus(std::move(bus)), m_wait(std::move(wait)) {}

UxCompassDevice::~UxCompassDevice() = default;

void UxCompassDevice::openPower() {
    m_bus->setPower(true);
    m_wait(kPowerMs);
    openI2cDev();
    m_wait(kPowerMs);
}

void UxCompassDevice::closePower() {
    closeI2cDev();
    m_wait(kPowerMs);
    m_bus->setPower(false);
    m_wait(kPowerMs);
}

bool UxCompassDevice::openI2cDev() {
    return m_bus->open();
}

void UxCompassDevice::closeI2cDev() {
    m_bus->close();
}

bool UxCompassDevice::ReadFromI2c(uint8_t address, uint8_t reg, uint8_t* value) {
    *value = 0;
    if (m_bus->readRegister(address, reg, value)) return true;
    *value = 0;
    return false;
}

bool UxCompassDevice::WriteToI2c(uint8_t address, uint8_t reg, uint8_t value) {
    return m_bus->writeRegister(address, reg, value);
}

int UxCompassDevice::device_Init_HW() {
    uint8_t id[3] = {0, 0, 0};
    ReadFromI2c(kMag, 0x0A, &id[0]);
    if (id[0] == 0x48 && ReadFromI2c(kMag, 0x0B, &id[1]) && id[1] == 0x34 &&
        ReadFromI2c(kMag, 0x0C, &id[2]) && id[2] == 0x33) {
        m_generation = 0;
        m_generationText = QStringLiteral("v1");
        device_CFG_LSM303D(2);
    } else if (ReadFromI2c(kAcc2, 0x0F, &id[0]) && id[0] == 0x33 &&
               ReadFromI2c(kMag, 0x0F, &id[1]) && id[1] == 0x3D) {
        m_generation = 1;
        m_generationText = QStringLiteral("v2");
        device_CFG_new();
    } else {
        return 0;
    }
    m_wait(kSettleMs);
    if (!device_MegDatRdy()) return 0;
    device_RdMegCelDat();
    return 1;
}

void UxCompassDevice::device_CFG_LSM303D(int mode) {
    WriteToI2c(kAcc1, 0x20, 0x27);
    const int gain = (mode == 4 || mode == 8) ? (((mode - 1) - mode / 2) * 16) & 0xF0 : 0;
    WriteToI2c(kMag, 0x23, uint8_t(gain));
    WriteToI2c(kMag, 0x00, 0x14);
    WriteToI2c(kMag, 0x02, 0x00);
}

void UxCompassDevice::device_CFG_new() {
    WriteToI2c(kAcc2, 0x20, 0x57);
    m_wait(kCfgNewMs);
    const uint8_t steps[][2] = {
        {0x20, 0x1C}, {0x24, 0x40}, {0x20, 0x5C}, {0x23, 0x08}, {0x22, 0x00}};
    for (const auto& s : steps)
        WriteToI2c(kMag, s[0], s[1]);
}

bool UxCompassDevice::device_MegDatRdy() {
    uint8_t v = 0;
    if (m_generation == 1) {
        for (int i = 0; i < kReadyTries2; ++i) {
            if (ReadFromI2c(kMag, 0x27, &v) && (v & 0x08)) return true;
        }
        return false;
    }
    ReadFromI2c(kMag, 0x09, &v);
    if (v == 2) {  // the chip's stuck state: leave and re-enter the continuous mode
        WriteToI2c(kMag, 0x02, 3);
        WriteToI2c(kMag, 0x02, 0);
        ReadFromI2c(kMag, 0x09, &v);
    }
    for (int i = 0; i < kReadyTries1 && !(v & 0x01); ++i)
        ReadFromI2c(kMag, 0x09, &v);
    return v & 0x01;
}

bool UxCompassDevice::readAxes(uint8_t address, uint8_t first, bool bigEndian, int16_t* out) {
    uint8_t b[6] = {0, 0, 0, 0, 0, 0};
    bool ok = true;
    for (int i = 0; i < 6; ++i)
        ok = ReadFromI2c(address, uint8_t(first + i), &b[i]) && ok;
    for (int axis = 0; axis < 3; ++axis) {
        const uint8_t lo = b[2 * axis + (bigEndian ? 1 : 0)];
        const uint8_t hi = b[2 * axis + (bigEndian ? 0 : 1)];
        out[axis] = int16_t(uint16_t(hi << 8 | lo));
    }
    return ok;
}

bool UxCompassDevice::device_RdAcc(int16_t* acc) {
    return readAxes(m_generation == 0 ? kAcc1 : kAcc2, 0x28, false, acc);
}

bool UxCompassDevice::device_RdMega(int16_t* mag) {
    const bool ok =
        m_generation == 0 ? readAxes(kMag, 0x03, true, mag) : readAxes(kMag, 0x28, false, mag);
    std::copy(mag, mag + 3, m_lastMag);
    return ok;
}

bool UxCompassDevice::device_RdRawDat(int16_t* acc, int16_t* mag) {
    if (!device_MegDatRdy()) return false;
    const bool magOk = device_RdMega(mag);
    return device_RdAcc(acc) && magOk;
}

void UxCompassDevice::device_AdjMegDat(float* m) const {
    CompassHeading::normalise(m_lastMag, m_cal, m);
}

float UxCompassDevice::CalHeading_Celiberate(const int16_t* acc, const float* m) const {
    return CompassHeading::tiltHeading(acc, m);
}

float UxCompassDevice::CalTiltHeading(const int16_t* acc, const int16_t* mag) const {
    return CompassHeading::tiltHeadingRaw(acc, mag);
}

int UxCompassDevice::Tsk_RdCompass() {
    m_heading = CompassHeading::kNone;
    int16_t acc[3], mag[3];
    // A reading with a failed transfer is no reading: its zeros would point somewhere.
    if (!device_RdRawDat(acc, mag)) return m_heading;
    float m[3];
    device_AdjMegDat(m);
    m_heading = CompassHeading::whole(CalHeading_Celiberate(acc, m));
    m_outOfRange = CompassHeading::outOfRange(mag, m_cal);
    return m_heading;
}

QString UxCompassDevice::caliText(const StructMegCalibration& c) {
    return QStringLiteral("X:[%1,%2],Y:[%3,%4],Z:[%5,%6]")
        .arg(c.min[0])
        .arg(c.max[0])
        .arg(c.min[1])
        .arg(c.max[1])
        .arg(c.min[2])
        .arg(c.max[2]);
}

bool UxCompassDevice::device_CeliberMeg(const CaliProgress& progress, std::atomic<int>& cancel) {
    const StructMegCalibration previous = m_cal;
    for (int i = 0; i < 3; ++i)
        m_cal.min[i] = m_cal.max[i] = 0;
    int samples = 0;
    while (samples < kCaliSamples) {
        progress(samples, caliText(m_cal));
        // A cancelled calibration leaves nothing half-measured behind.
        if (!m_wait(kCaliMs) || cancel.exchange(0) != 0) {
            m_cal = previous;
            return false;
        }
        int16_t mag[3];
        if (!device_MegDatRdy() || !device_RdMega(mag)) continue;
        // The range starts at the first sample, not at 0: an axis whose readings all lie on
        // one side of 0 would otherwise be calibrated to a range it never had.
        for (int i = 0; i < 3; ++i) {
            m_cal.min[i] = samples == 0 ? mag[i] : std::min<int>(m_cal.min[i], mag[i]);
            m_cal.max[i] = samples == 0 ? mag[i] : std::max<int>(m_cal.max[i], mag[i]);
        }
        m_cal.recomputeRanges();
        ++samples;
    }
    progress(samples, caliText(m_cal));
    return device_SaveMegCelDat();
}

bool UxCompassDevice::device_SaveMegCelDat() {
    if (CompassCalibration::save(m_cal)) return true;
    std::fprintf(stderr, "%s: cannot write the compass calibration\n", CompassCalibration::kFile);
    return false;
}

bool UxCompassDevice::device_RdMegCelDat() {
    return CompassCalibration::load(&m_cal);
}

#include "update_file.h"

#include <QSaveFile>

#include <algorithm>
#include <random>

namespace vboat {

namespace {
const char kTag[] = "KVER";

void put32(QByteArray& b, int at, quint32 v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

void put(QByteArray& b, int at, const QByteArray& bytes) {
    b.replace(at, bytes.size(), bytes);
}
}  // namespace

QByteArray makeImage(int size, quint16 version) {
    size = std::max(size, kVersionTailSize);
    // Seeded by the version, so that two versions differ all through.
    std::mt19937 rng(0x4b56u + version);
    QByteArray image(size, '\0');
    for (int i = 0; i < size - kVersionTailSize; ++i)
        image[i] = char(rng() & 0xFF);
    put(image, size - kVersionTailSize, QByteArray(kTag, 4));
    image[size - 2] = char(version & 0xFF);
    image[size - 1] = char(version >> 8);
    return image;
}

int imageVersion(const QByteArray& image) {
    if (image.size() < kVersionTailSize ||
        !image.mid(image.size() - kVersionTailSize, 4).startsWith(kTag))
        return -1;
    return quint8(image[image.size() - 2]) | quint8(image[image.size() - 1]) << 8;
}

QByteArray makeUpdateFile(int sonarVersion, int apHundredths) {
    const QByteArray sonar = makeImage(rdup::kSonarImageSize, quint16(sonarVersion));
    const QByteArray ap = makeImage(rdup::kApImageSize, quint16(apHundredths));
    QByteArray file(rdup::kApImage + ap.size(), '\0');
    put32(file, rdup::kSonarSize, quint32(sonar.size()));
    put(file, rdup::kSonarVersion,
        QStringLiteral("SONAR-V%1.bin*").arg(sonarVersion, 3, 10, QLatin1Char('0')).toLatin1());
    put(file, rdup::kSonarImage, sonar);
    put32(file, rdup::kApSize, quint32(ap.size()));
    put(file, rdup::kApVersion,
        QStringLiteral("AUTOPILOT-V%1.%2.bin*")
            .arg(apHundredths / 100)
            .arg(apHundredths % 100, 2, 10, QLatin1Char('0'))
            .toLatin1());
    put(file, rdup::kApImage, ap);
    return file;
}

bool writeUpdateFile(const QString& path, int sonarVersion, int apHundredths) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(makeUpdateFile(sonarVersion, apHundredths));
    return file.commit();
}

}  // namespace vboat

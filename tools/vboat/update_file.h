#pragma once

#include <QByteArray>
#include <QString>

// Firmware images for the boat's modules and the module update file (".rdup") that carries
// them to the handset.
//
// An image may end in a version tail: the four characters "KVER" and the version as a 16-bit
// little-endian number (the sonar box's version number; the autopilot's in hundredths, 1.23
// being 123). A module flashed with such an image reports that version from then on; an image
// without the tail flashes all the same and leaves the version as it was.
//
// Update file: sonar image size (u32 LE) at 0, the sonar version text at 17 ("SONAR-V105.bin",
// then '*'), the sonar image at 2048; the autopilot image size at 133120, its version text at
// 133137 ("AUTOPILOT-V1.23.bin", then '*'), its image at 135168. The handset drops the last
// four characters of a version text (".bin") and reads the version from the end of the rest.
namespace vboat {

namespace rdup {
constexpr int kSonarSize = 0;
constexpr int kSonarVersion = 17;
constexpr int kSonarImage = 2048;
constexpr int kApSize = 133120;
constexpr int kApVersion = 133137;
constexpr int kApImage = 135168;
constexpr int kSonarImageMax = kApSize - kSonarImage;
constexpr int kSonarImageSize = 2000;  // 16 blocks of 128 bytes, the last one short
constexpr int kApImageSize = 1000;     // 21 blocks of 48 bytes, the last one short
}  // namespace rdup

constexpr int kVersionTailSize = 6;

// size bytes (at least the tail's) of made-up machine code ending in the version tail.
QByteArray makeImage(int size, quint16 version);
// The version in an image's tail, -1 when it has none.
int imageVersion(const QByteArray& image);

// An update file with both images: sonarVersion 0..999, apHundredths 0..999 (0.00 to 9.99).
QByteArray makeUpdateFile(int sonarVersion, int apHundredths);
// Writes it; false when the file could not be written.
bool writeUpdateFile(const QString& path, int sonarVersion, int apHundredths);

}  // namespace vboat

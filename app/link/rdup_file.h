#pragma once

#include <QByteArray>
#include <QString>

// A module update file (".rdup"): a sonar-box image and an autopilot image at fixed places,
// each after a little-endian 32-bit size and a version text.
//   0       sonar size S        2048    sonar image (at most 131072 bytes: it ends where the
//   17      sonar version text          autopilot's area begins)
//   133120  autopilot size A    135168  autopilot image
//   133137  autopilot version text
// A file whose stated sizes reach past its end or past their area is damaged: nothing of it
// may be flashed, a half image least of all.
struct StructRdupFile {
    bool ok = false;
    QString error;  // why the file is refused
    QByteArray sonarImage;
    int sonarVersion = -1;  // the sonar box's version number, -1 when the text has none
    QByteArray apImage;
    int apVersion = -1;  // the autopilot's version in hundredths (1.23 is 123), -1 when none
};

namespace RdupFile {

constexpr int kSonarSize = 0;
constexpr int kSonarVersion = 17;
constexpr int kSonarImage = 2048;
constexpr int kApSize = 133120;
constexpr int kApVersion = 133137;
constexpr int kApImage = 135168;
constexpr int kSonarImageMax = kApSize - kSonarImage;  // 131072

StructRdupFile parse(const QByteArray& file);

// The sonar version: the text up to its first '*' without its last 4 characters ends with
// three digits.
int sonarVersionFrom(const QByteArray& text);
// The autopilot version in hundredths: the same text's last 4 characters, "1.23".
int apVersionFrom(const QByteArray& text);

}  // namespace RdupFile

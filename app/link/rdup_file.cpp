#include "link/rdup_file.h"

#include <cmath>

namespace {

// The size field at offset; a field past the end of the file reads as 0.
quint32 sizeAt(const QByteArray& f, int offset) {
    if (offset + 4 > f.size()) return 0;
    const auto* p = reinterpret_cast<const uchar*>(f.constData()) + offset;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

// The version text at offset: up to the first '*', without its last 4 characters.
QByteArray versionText(const QByteArray& f, int offset) {
    if (offset >= f.size()) return QByteArray();
    const int star = f.indexOf('*', offset);
    if (star < 0) return QByteArray();
    QByteArray text = f.mid(offset, star - offset);
    text.chop(4);
    return text;
}

}  // namespace

namespace RdupFile {

int sonarVersionFrom(const QByteArray& text) {
    if (text.size() < 3) return -1;
    bool ok = false;
    const int v = text.right(3).toInt(&ok);
    return ok ? v : -1;
}

int apVersionFrom(const QByteArray& text) {
    if (text.size() < 4) return -1;
    bool ok = false;
    const double v = text.right(4).toDouble(&ok);
    // Whole hundredths: comparing reals would let noise decide (2.30 is 229.99...).
    return ok && v >= 0 ? int(std::lround(v * 100)) : -1;
}

StructRdupFile parse(const QByteArray& f) {
    StructRdupFile r;
    const quint32 sonarSize = sizeAt(f, kSonarSize);
    const quint32 apSize = sizeAt(f, kApSize);
    if (sonarSize > quint32(kSonarImageMax)) {
        r.error = QStringLiteral("the sonar image is larger than its area");
        return r;
    }
    if (sonarSize > 0 && kSonarImage + qint64(sonarSize) > f.size()) {
        r.error = QStringLiteral("the sonar image is cut short");
        return r;
    }
    if (apSize > 0 && kApImage + qint64(apSize) > f.size()) {
        r.error = QStringLiteral("the autopilot image is cut short");
        return r;
    }
    if (sonarSize == 0 && apSize == 0) {
        r.error = QStringLiteral("the file holds no image");
        return r;
    }
    r.sonarImage = f.mid(kSonarImage, int(sonarSize));
    r.apImage = f.mid(kApImage, int(apSize));
    r.sonarVersion = sonarVersionFrom(versionText(f, kSonarVersion));
    r.apVersion = apVersionFrom(versionText(f, kApVersion));
    r.ok = true;
    return r;
}

}  // namespace RdupFile

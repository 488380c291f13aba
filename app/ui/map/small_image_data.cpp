#include "ui/map/small_image_data.h"

#include <QBuffer>
#include <QFile>

namespace SmallImageData {

namespace {

constexpr char kMagic[] = "KSI1";
constexpr int kMaxKinds = 16;
constexpr int kMaxName = 32;
constexpr int kMaxImages = 8;
constexpr quint32 kMaxImageBytes = 1u << 20;

void putU32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xff));
}

// Reads forward through the bytes and refuses to run past their end.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}
    bool u8(int* v) {
        if (m_pos + 1 > m_bytes.size()) return false;
        *v = quint8(m_bytes.at(m_pos++));
        return true;
    }
    bool u32(quint32* v) {
        if (m_pos + 4 > m_bytes.size()) return false;
        quint32 r = 0;
        for (int i = 0; i < 4; ++i)
            r |= quint32(quint8(m_bytes.at(m_pos + i))) << (8 * i);
        m_pos += 4;
        *v = r;
        return true;
    }
    bool bytes(int n, QByteArray* out) {
        if (n < 0 || m_pos + n > m_bytes.size()) return false;
        *out = m_bytes.mid(m_pos, n);
        m_pos += n;
        return true;
    }
    bool atEnd() const { return m_pos == m_bytes.size(); }

private:
    const QByteArray& m_bytes;
    int m_pos = 0;
};

}  // namespace

QByteArray encode(const KindImages& images) {
    if (images.isEmpty() || images.size() > kMaxKinds) return QByteArray();
    QByteArray out(kMagic, 4);
    out.append(char(images.size()));
    for (auto it = images.cbegin(); it != images.cend(); ++it) {
        const QByteArray name = it.key().toLatin1();
        if (name.isEmpty() || name.size() > kMaxName) return QByteArray();
        if (it.value().isEmpty() || it.value().size() > kMaxImages) return QByteArray();
        out.append(char(name.size()));
        out.append(name);
        out.append(char(it.value().size()));
        for (const QImage& image : it.value()) {
            if (image.isNull()) return QByteArray();
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (!image.save(&buffer, "PNG") || quint32(png.size()) > kMaxImageBytes)
                return QByteArray();
            putU32(out, quint32(png.size()));
            out.append(png);
        }
    }
    return out;
}

bool decode(const QByteArray& bytes, KindImages* out) {
    if (!bytes.startsWith(QByteArray(kMagic, 4))) return false;
    Reader reader(bytes);
    QByteArray skip;
    reader.bytes(4, &skip);
    int kinds = 0;
    if (!reader.u8(&kinds) || kinds < 1 || kinds > kMaxKinds) return false;
    KindImages result;
    for (int k = 0; k < kinds; ++k) {
        int nameLength = 0;
        QByteArray name;
        if (!reader.u8(&nameLength) || nameLength < 1 || nameLength > kMaxName) return false;
        if (!reader.bytes(nameLength, &name)) return false;
        int count = 0;
        if (!reader.u8(&count) || count < 1 || count > kMaxImages) return false;
        QVector<QImage> list;
        for (int i = 0; i < count; ++i) {
            quint32 length = 0;
            QByteArray png;
            if (!reader.u32(&length) || length < 1 || length > kMaxImageBytes) return false;
            if (!reader.bytes(int(length), &png)) return false;
            QImage image;
            if (!image.loadFromData(png, "PNG")) return false;
            list.append(image);
        }
        result.insert(QString::fromLatin1(name), list);
    }
    if (!reader.atEnd()) return false;
    *out = result;
    return true;
}

bool load(const QString& path, KindImages* out) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    // The real file is a few kilobytes; anything far larger is not one of ours.
    if (file.size() > qint64(kMaxKinds) * kMaxImages * kMaxImageBytes) return false;
    return decode(file.readAll(), out);
}

}  // namespace SmallImageData

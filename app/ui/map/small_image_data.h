#pragma once

#include <QByteArray>
#include <QImage>
#include <QMap>
#include <QString>
#include <QVector>

// The preview pictures of the image chooser, kept in one resource file
// (":/sim/smallimagedata.ksi"). Layout, all numbers little-endian:
//   "KSI1"                      magic
//   u8  kinds                   1..16
//   per kind:  u8 name length (1..32), the name in ASCII ("background", "color"),
//              u8 images (1..8),
//              per image: u32 length (1..1 MiB), then that many bytes of a PNG file.
namespace SmallImageData {

using KindImages = QMap<QString, QVector<QImage>>;

constexpr char kResourcePath[] = ":/sim/smallimagedata.ksi";

// The bytes of a file holding images. Kinds with an empty or too long name or with no
// images, and null images, cannot be written: returns an empty array then.
QByteArray encode(const KindImages& images);
// Parses bytes; false (and *out untouched) for anything truncated, oversized or undecodable.
bool decode(const QByteArray& bytes, KindImages* out);
// Reads and decodes a file or resource.
bool load(const QString& path, KindImages* out);

}  // namespace SmallImageData

#include "data/depth_map_file.h"

#include "base/file_aside.h"
#include "base/log.h"
#include "base/regular_file.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace {

constexpr char kMagic[4] = {'K', 'V', 'D', 'M'};
constexpr int kCellBytes = 12;
constexpr int kHeaderBytes = 4 + 2 + 2 + 4 + 4 + 4;
constexpr int kHashBytes = 20;
// The memory bound of the grid, with room: a bigger file is not a depth map.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

QByteArray cells(const DepthGrid& grid) {
    QByteArray out;
    out.reserve(grid.filledCells() * kCellBytes);
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    grid.forEachCell([&](StructCellIndex i, const StructDepthCell& c) {
        s << qint32(i.column) << qint32(i.row) << quint16(c.depthCm) << quint8(c.count)
          << quint8(c.spreadCm);
    });
    return out;
}

}  // namespace

QByteArray DepthMapFile::encode(const DepthGrid& grid) {
    const QByteArray raw = cells(grid);
    const QByteArray packed = qCompress(raw);
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData(kMagic, 4);
    s << quint16(kVersion) << quint16(DepthGrid::kCellMetres * 100) << qint32(grid.origin().lat())
      << qint32(grid.origin().lon()) << quint32(grid.filledCells());
    out += packed;
    out += QCryptographicHash::hash(raw, QCryptographicHash::Sha1);
    return out;
}

bool DepthMapFile::decode(const QByteArray& bytes, DepthGrid* grid) {
    grid->clear();
    if (bytes.size() < kHeaderBytes + kHashBytes || !bytes.startsWith(QByteArray(kMagic, 4)))
        return false;
    QDataStream s(bytes);
    s.setByteOrder(QDataStream::LittleEndian);
    s.skipRawData(4);
    quint16 version = 0, cellCm = 0;
    qint32 lat = 0, lon = 0;
    quint32 count = 0;
    s >> version >> cellCm >> lat >> lon >> count;
    if (version != kVersion || cellCm != quint16(DepthGrid::kCellMetres * 100)) return false;
    const QByteArray raw =
        qUncompress(bytes.mid(kHeaderBytes, bytes.size() - kHeaderBytes - kHashBytes));
    if (raw.size() != qint64(count) * kCellBytes ||
        QCryptographicHash::hash(raw, QCryptographicHash::Sha1) != bytes.right(kHashBytes))
        return false;
    const GeoPoint origin{Latitude(lat), Longitude(lon)};
    if (count == 0) return true;
    if (!origin.isSet()) return false;
    grid->setOrigin(origin);
    QDataStream c(raw);
    c.setByteOrder(QDataStream::LittleEndian);
    for (quint32 n = 0; n < count; ++n) {
        qint32 column = 0, row = 0;
        quint16 depth = 0;
        quint8 soundings = 0, spread = 0;
        c >> column >> row >> depth >> soundings >> spread;
        if (!grid->restore(StructCellIndex{column, row},
                           StructDepthCell{depth, soundings, spread})) {
            grid->clear();
            return false;
        }
    }
    grid->markSaved();
    grid->takeChanged();
    return true;
}

DepthMapFile::EnumLoad DepthMapFile::load(const QString& path, DepthGrid* grid) {
    grid->clear();
    grid->markSaved();
    if (!QFileInfo::exists(path)) return EnumLoad::Missing;
    QFile file(path);
    QByteArray bytes;
    const bool read = isRegularFile(path) && file.size() <= kMaxFileBytes &&
                      file.open(QIODevice::ReadOnly) &&
                      (bytes = file.readAll()).size() == file.size();
    file.close();
    if (read && decode(bytes, grid)) return EnumLoad::Loaded;
    const QString aside = FileAside::keep(path);
    qCWarning(lcCore).noquote() << "depth map:" << path << "is damaged; kept as"
                                << (aside.isEmpty() ? QStringLiteral("(could not move)") : aside)
                                << "and the map starts empty";
    grid->clear();
    grid->markSaved();
    return EnumLoad::Damaged;
}

bool DepthMapFile::save(const QString& path, const DepthGrid& grid) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    const QByteArray bytes = encode(grid);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit();
}

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

void putLittle(char*& at, quint32 v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        *at++ = char(v >> (8 * i));
}

quint32 getLittle(const uchar* at, int bytes) {
    quint32 v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= quint32(at[i]) << (8 * i);
    return v;
}

quint32 getBigEndian(const uchar* at) {
    return quint32(at[0]) << 24 | quint32(at[1]) << 16 | quint32(at[2]) << 8 | at[3];
}

// Written byte by byte: a whole lake is a million cells, and a stream's call per field would
// cost more than the compression.
QByteArray cells(const DepthGrid& grid) {
    QByteArray out(grid.filledCells() * kCellBytes, Qt::Uninitialized);
    char* at = out.data();
    grid.forEachCell([&at](StructCellIndex i, const StructDepthCell& c) {
        putLittle(at, quint32(i.column), 4);
        putLittle(at, quint32(i.row), 4);
        putLittle(at, c.depthCm, 2);
        *at++ = char(c.count);
        *at++ = char(c.spreadCm);
    });
    return out;
}

// The fastest level: the cells of a whole lake pack to a quarter at it, and the save must not
// hold the handset up.
constexpr int kCompression = 1;

}  // namespace

QByteArray DepthMapFile::encode(const DepthGrid& grid) {
    const QByteArray raw = cells(grid);
    const QByteArray packed = qCompress(raw, kCompression);
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
    // The packed cells start with the length they unpack to: a damaged one could ask for
    // gigabytes, so it must be the count's, and the count within what a grid can hold.
    const QByteArray packed = bytes.mid(kHeaderBytes, bytes.size() - kHeaderBytes - kHashBytes);
    const qint64 cellsBytes = qint64(count) * kCellBytes;
    if (count > quint32(DepthGrid::kMaxTiles) * DepthGrid::kTileSide * DepthGrid::kTileSide ||
        packed.size() < 4 ||
        getBigEndian(reinterpret_cast<const uchar*>(packed.constData())) != quint32(cellsBytes))
        return false;
    const QByteArray raw = qUncompress(packed);
    if (raw.size() != qint64(count) * kCellBytes ||
        QCryptographicHash::hash(raw, QCryptographicHash::Sha1) != bytes.right(kHashBytes))
        return false;
    const GeoPoint origin{Latitude(lat), Longitude(lon)};
    if (count == 0) return true;
    if (!origin.isSet()) return false;
    grid->setOrigin(origin);
    const uchar* at = reinterpret_cast<const uchar*>(raw.constData());
    for (quint32 n = 0; n < count; ++n, at += kCellBytes) {
        const auto column = qint32(getLittle(at, 4));
        const auto row = qint32(getLittle(at + 4, 4));
        const StructDepthCell cell{quint16(getLittle(at + 8, 2)), at[10], at[11]};
        if (!grid->restore(StructCellIndex{column, row}, cell)) {
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

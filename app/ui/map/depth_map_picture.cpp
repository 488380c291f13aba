#include "ui/map/depth_map_picture.h"

#include "base/global.h"
#include "navi/depth_contours.h"
#include "ui/kit/ux_theme.h"

#include <QFontMetrics>
#include <QPainter>
#include <QVector>
#include <cmath>
#include <cstring>

namespace {

constexpr int kLayer = MapMapping::kLayerSize;
constexpr int kHalf = MapMapping::kHalfLayer;
// Half-metres per cell unit.
constexpr double kUnitsPerCell = DepthGrid::kCellMetres * 2.0;
constexpr int kGapCells = 4;
constexpr int kShadeAlpha = 150;
constexpr int kMaxLabels = 12;
constexpr int kLabelMinPoints = 12;
constexpr int kLabelPixels = 11;  // as the label items draw them

// The colour of every tenth of a metre, premultiplied and see-through, so that the track and
// the outlines stay readable over the shading. Made again only when the bar's range changes
// (the map draws on the GUI thread only), from one look-up of each of the bar's rows.
const QVector<QRgb>& shadeTable(const DepthColorBar& bar) {
    static QVector<QRgb> table;
    static int up = -1, lo = -1;
    static qint64 image = -1;
    if (!table.isEmpty() && up == bar.upRng() && lo == bar.loRng() &&
        image == bar.image().cacheKey())
        return table;
    up = bar.upRng();
    lo = bar.loRng();
    image = bar.image().cacheKey();
    table.resize(1000);
    int lastRow = -1;
    QRgb colour = 0;
    for (int i = 0; i < table.size(); ++i) {
        const float depth = i / 10.0f;
        const int row = bar.row(depth);
        if (row != lastRow) {
            const QColor c = bar.colour(depth);
            colour = qPremultiply(qRgba(c.red(), c.green(), c.blue(), kShadeAlpha));
            lastRow = row;
        }
        table[i] = colour;
    }
    return table;
}

// Layer pixel to cell units and back.
double cellX(const StructDepthMapScene& s, double px) {
    return (s.map.centre.x() + (px - kHalf) * s.map.ratio - s.originRelative.x()) / kUnitsPerCell;
}
double cellY(const StructDepthMapScene& s, double py) {
    return (s.originRelative.y() - (s.map.centre.y() + (py - kHalf) * s.map.ratio)) / kUnitsPerCell;
}
QPointF pixelOf(const StructDepthMapScene& s, const QPointF& cell) {
    const double rx = s.originRelative.x() + cell.x() * kUnitsPerCell;
    const double ry = s.originRelative.y() - cell.y() * kUnitsPerCell;
    return QPointF((rx - s.map.centre.x()) / s.map.ratio + kHalf,
                   (ry - s.map.centre.y()) / s.map.ratio + kHalf);
}

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Row by row: a row over the same lattice row as the one above it is a copy of it, and along a
// row each node fills the run of pixels it covers, so an empty node costs one look.
void shade(QImage& picture, const StructDepthMapScene& s, const DepthField& field,
           const QRect& region, const QRect& pixels) {
    const QVector<QRgb>& table = shadeTable(*s.colours);
    const int step = field.step();
    // The runs of pixels of one node column: node, first pixel, pixel past the last.
    struct Run {
        int node, from, to;
    };
    QVector<Run> runs;
    for (int px = pixels.left(); px <= pixels.right(); ++px) {
        const int nx = int(std::floor((cellX(s, px + 0.5) - region.left()) / step));
        if (nx < 0 || nx >= field.width()) continue;
        if (runs.isEmpty() || runs.last().node != nx || runs.last().to != px)
            runs.append({nx, px, px});
        runs.last().to = px + 1;
    }
    const size_t rowBytes = size_t(pixels.width()) * sizeof(QRgb);
    int shadedRow = -1;  // the picture row that holds the lattice row of ny, if any
    int shadedNy = -1;
    for (int py = pixels.top(); py <= pixels.bottom(); ++py) {
        const int ny = int(std::floor((cellY(s, py + 0.5) - region.top()) / step));
        if (ny < 0 || ny >= field.height()) continue;
        QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(py));
        if (ny == shadedNy) {
            std::memcpy(
                line + pixels.left(),
                reinterpret_cast<const QRgb*>(picture.constScanLine(shadedRow)) + pixels.left(),
                rowBytes);
            continue;
        }
        const int west = field.rowFirst(ny), east = field.rowLast(ny);
        for (const Run& run : qAsConst(runs)) {
            if (run.node < west) continue;
            if (run.node > east) break;
            const float v = field.at(run.node, ny);
            if (std::isnan(v)) continue;
            std::fill(line + run.from, line + run.to,
                      table[std::clamp(int(v * 10.0f), 0, table.size() - 1)]);
        }
        shadedRow = py;
        shadedNy = ny;
    }
}

// Label places: the middle of each long enough line, its box clear of the others and of the
// picture's edge (the map turns the picture, so a little room is left all round).
void placeLabels(const QVector<QPolygonF>& lines, const QVector<float>& depths,
                 const StructDepthMapScene& s, QVector<StructDepthLabel>* labels) {
    QFont font = UxTheme::font();
    font.setPixelSize(kLabelPixels);
    const QFontMetrics metrics(font);
    const QRectF inside = QRectF(0, 0, kLayer, kLayer).adjusted(8, 8, -8, -8);
    QVector<QRectF> boxes;
    for (int i = 0; i < lines.size() && labels->size() < kMaxLabels; ++i) {
        const QPolygonF& poly = lines.at(i);
        if (poly.size() < kLabelMinPoints) continue;
        const QPointF at = poly.at(poly.size() / 2);
        const QString text =
            Global::getString_depthValue(depths.at(i), s.intervalMetres < 1.0f ? 1 : 0, false);
        // Room for the box upright at any turn of the picture.
        const int side = std::max(metrics.horizontalAdvance(text), metrics.height()) + 4;
        QRectF box(0, 0, side, side);
        box.moveCenter(at);
        bool clear = inside.contains(box);
        for (const QRectF& other : qAsConst(boxes))
            clear = clear && !other.intersects(box);
        if (!clear) continue;
        boxes << box;
        labels->append({at, text});
    }
}

// A part of the picture gets its lines clipped to it.
int drawContours(QImage& picture, const StructDepthMapScene& s, const DepthField& field,
                 const QRect& pixels, QVector<StructDepthLabel>* labels) {
    const QVector<StructContour> contours = DepthContours::trace(field, s.intervalMetres);
    QVector<QPolygonF> lines;
    QVector<float> depths;
    lines.reserve(contours.size());
    for (const StructContour& c : contours) {
        QPolygonF poly;
        poly.reserve(c.points.size());
        for (const QPointF& cell : c.points)
            poly << pixelOf(s, cell);
        lines << poly;
        depths << c.depthMetres;
    }
    QPainter p(&picture);
    p.setClipRect(pixels);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    for (const QPolygonF& poly : qAsConst(lines))
        p.drawPolyline(poly);
    if (labels) placeLabels(lines, depths, s, labels);
    return lines.size();
}

void clear(QImage& picture, const QRect& pixels) {
    for (int py = pixels.top(); py <= pixels.bottom(); ++py) {
        QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(py));
        std::fill(line + pixels.left(), line + pixels.right() + 1, QRgb(0));
    }
}

}  // namespace

int DepthMapPicture::stepFor(float ratio) {
    const double pixelsPerCell = kUnitsPerCell / double(ratio);
    return std::max(1, int(std::ceil(1.5 / pixelsPerCell)));
}

QRect DepthMapPicture::regionFor(const StructDepthMapScene& s, int step, const QRect& pixels) {
    const int margin = 2 * kGapCells + step;
    const int left = floorDiv(int(std::floor(cellX(s, pixels.left()))) - margin, step) * step;
    const int right = int(std::ceil(cellX(s, pixels.right() + 1))) + margin;
    const int top = floorDiv(int(std::floor(cellY(s, pixels.bottom() + 1))) - margin, step) * step;
    const int bottom = int(std::ceil(cellY(s, pixels.top()))) + margin;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect DepthMapPicture::pixelsFor(const StructDepthMapScene& s, const QRect& cells) {
    if (cells.isEmpty()) return QRect();
    // A new cell may bridge a gap beside it, and a line runs a node further.
    const int reach = 2 * kGapCells + 2 * stepFor(s.map.ratio);
    const QRectF around(pixelOf(s, QPointF(cells.left() - reach, cells.bottom() + 1 + reach)),
                        pixelOf(s, QPointF(cells.right() + 1 + reach, cells.top() - reach)));
    return around.normalized().toAlignedRect().adjusted(-1, -1, 1, 1) & QRect(0, 0, kLayer, kLayer);
}

int DepthMapPicture::render(QImage& picture, const StructDepthMapScene& s, const QRect& part,
                            QVector<StructDepthLabel>* labels) {
    if (labels) labels->clear();
    const QRect whole(0, 0, kLayer, kLayer);
    const QRect pixels = part.isNull() ? whole : part & whole;
    if (pixels.isEmpty()) return 0;
    clear(picture, pixels);
    if (s.grid == nullptr || s.grid->isEmpty() || s.colours == nullptr ||
        (!s.shading && !s.contours))
        return 0;
    // Only the pixels the sounded cells can reach hold anything: the rest stays clear unlooked.
    const QRect sounded = pixels & pixelsFor(s, s.grid->bounds());
    if (sounded.isEmpty()) return 0;
    const int step = stepFor(s.map.ratio);
    const QRect region = regionFor(s, step, sounded);
    const DepthField field(*s.grid, region, step, kGapCells);
    if (s.shading) shade(picture, s, field, region, sounded);
    return s.contours ? drawContours(picture, s, field, sounded, pixels == whole ? labels : nullptr)
                      : 0;
}

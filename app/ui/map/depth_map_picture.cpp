#include "ui/map/depth_map_picture.h"

#include "base/global.h"
#include "navi/depth_contours.h"

#include <QPainter>
#include <QVector>
#include <cmath>

namespace {

constexpr int kLayer = MapMapping::kLayerSize;
constexpr int kHalf = MapMapping::kHalfLayer;
// Half-metres per cell unit.
constexpr double kUnitsPerCell = DepthGrid::kCellMetres * 2.0;
constexpr int kGapCells = 4;
constexpr int kShadeAlpha = 150;
constexpr int kMaxLabels = 12;
constexpr int kLabelMinPoints = 12;

// The colour of every tenth of a metre, premultiplied and see-through, so that the track and
// the outlines stay readable over the shading.
QVector<QRgb> shadeTable(const DepthColorBar& bar) {
    QVector<QRgb> table(1000);
    for (int i = 0; i < table.size(); ++i) {
        const QColor c = bar.colour(i / 10.0f);
        table[i] = qPremultiply(qRgba(c.red(), c.green(), c.blue(), kShadeAlpha));
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

void shade(QImage& picture, const StructDepthMapScene& s, const DepthField& field,
           const QRect& region) {
    const QVector<QRgb> table = shadeTable(*s.colours);
    const int step = field.step();
    QVector<int> nodeX(kLayer);
    for (int px = 0; px < kLayer; ++px)
        nodeX[px] = int(std::floor((cellX(s, px + 0.5) - region.left()) / step));
    for (int py = 0; py < kLayer; ++py) {
        const int ny = int(std::floor((cellY(s, py + 0.5) - region.top()) / step));
        if (ny < 0 || ny >= field.height()) continue;
        QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(py));
        for (int px = 0; px < kLayer; ++px) {
            const int nx = nodeX[px];
            if (nx < 0 || nx >= field.width()) continue;
            const float v = field.at(nx, ny);
            if (std::isnan(v)) continue;
            line[px] = table[std::clamp(int(v * 10.0f), 0, table.size() - 1)];
        }
    }
}

int drawContours(QImage& picture, const StructDepthMapScene& s, const DepthField& field) {
    const QVector<StructContour> lines = DepthContours::trace(field, s.intervalMetres);
    QPainter p(&picture);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    QVector<QRectF> labels;
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    const QRectF inside(0, 0, kLayer, kLayer);
    for (const StructContour& c : lines) {
        QPolygonF poly;
        poly.reserve(c.points.size());
        for (const QPointF& cell : c.points)
            poly << pixelOf(s, cell);
        p.drawPolyline(poly);
        if (c.points.size() < kLabelMinPoints || labels.size() >= kMaxLabels) continue;
        const QPointF at = poly.at(poly.size() / 2);
        const QString text =
            Global::getString_depthValue(c.depthMetres, s.intervalMetres < 1.0f ? 1 : 0, false);
        QRectF box = p.fontMetrics().boundingRect(text);
        box.moveCenter(at);
        box.adjust(-1, 0, 1, 0);
        bool clear = inside.contains(box);
        for (const QRectF& other : qAsConst(labels))
            clear = clear && !other.intersects(box);
        if (!clear) continue;
        labels << box;
        p.fillRect(box, QColor(255, 255, 255, 200));
        p.drawText(box, Qt::AlignCenter, text);
    }
    return lines.size();
}

}  // namespace

int DepthMapPicture::stepFor(float ratio) {
    const double pixelsPerCell = kUnitsPerCell / double(ratio);
    return std::max(1, int(std::ceil(1.5 / pixelsPerCell)));
}

QRect DepthMapPicture::regionFor(const StructDepthMapScene& s, int step) {
    const int margin = kGapCells + step;
    const int left = floorDiv(int(std::floor(cellX(s, 0))) - margin, step) * step;
    const int right = int(std::ceil(cellX(s, kLayer))) + margin;
    const int top = floorDiv(int(std::floor(cellY(s, kLayer))) - margin, step) * step;
    const int bottom = int(std::ceil(cellY(s, 0))) + margin;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

int DepthMapPicture::render(QImage& picture, const StructDepthMapScene& s) {
    picture.fill(Qt::transparent);
    if (s.grid == nullptr || s.grid->isEmpty() || s.colours == nullptr ||
        (!s.shading && !s.contours))
        return 0;
    const int step = stepFor(s.map.ratio);
    const QRect region = regionFor(s, step);
    if (!region.intersects(s.grid->bounds())) return 0;
    const DepthField field(*s.grid, region, step, kGapCells);
    if (s.shading) shade(picture, s, field, region);
    return s.contours ? drawContours(picture, s, field) : 0;
}

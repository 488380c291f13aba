#include "navi/depth_contours.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {
const float kEmpty = std::numeric_limits<float>::quiet_NaN();
// Far more levels than a map can show are a wrong interval, not a map.
constexpr int kMaxLevels = 400;
}  // namespace

DepthField::DepthField(const DepthGrid& grid, const QRect& region, int step, int gapCells)
    : m_region(region), m_step(std::max(step, 1)) {
    if (region.isEmpty()) return;
    m_width = (region.width() + m_step - 1) / m_step;
    m_height = (region.height() + m_step - 1) / m_step;
    const size_t nodes = size_t(m_width) * size_t(m_height);
    m_values.assign(nodes, kEmpty);
    m_rowFirst.assign(size_t(m_height), m_width);
    m_rowLast.assign(size_t(m_height), -1);
    m_columnFirst.assign(size_t(m_width), m_height);
    m_columnLast.assign(size_t(m_width), -1);
    float* values = m_values.data();
    if (m_step == 1) {
        // A node is a cell: its depth goes straight in.
        grid.forEachCellIn(region, [&](StructCellIndex at, const StructDepthCell& cell) {
            const int x = at.column - region.left();
            const int y = at.row - region.top();
            values[y * m_width + x] = cell.depthCm / 100.0f;
            noteMeasured(x, y);
        });
    } else {
        std::vector<float> sum(nodes, 0.0f);
        std::vector<int> count(nodes, 0);
        float* sums = sum.data();
        int* counts = count.data();
        grid.forEachCellIn(region, [&](StructCellIndex at, const StructDepthCell& cell) {
            const int x = (at.column - region.left()) / m_step;
            const int y = (at.row - region.top()) / m_step;
            sums[y * m_width + x] += cell.depthCm / 100.0f;
            ++counts[y * m_width + x];
            noteMeasured(x, y);
        });
        for (int y = 0; y < m_height; ++y) {
            for (int x = m_rowFirst[size_t(y)]; x <= m_rowLast[size_t(y)]; ++x) {
                const int i = y * m_width + x;
                if (counts[i] > 0) values[i] = sums[i] / float(counts[i]);
            }
        }
    }
    fillGaps(std::max(1, (gapCells + m_step - 1) / m_step));
}

void DepthField::noteMeasured(int x, int y) {
    m_rowFirst[size_t(y)] = std::min(m_rowFirst[size_t(y)], x);
    m_rowLast[size_t(y)] = std::max(m_rowLast[size_t(y)], x);
    m_columnFirst[size_t(x)] = std::min(m_columnFirst[size_t(x)], y);
    m_columnLast[size_t(x)] = std::max(m_columnLast[size_t(x)], y);
}

// Along each column and each row, an empty node between two measured ones at most radius
// apart on both sides takes the straight line between them; where both a column and a row
// bridge it, the shorter span counts more. Only between soundings, never beyond the last
// line, and two passes over the measured part of each line whatever the radius. The measured
// nodes stay as they are until the end, so both passes read them in place.
void DepthField::fillGaps(int radius) {
    const float* measured = m_values.data();
    std::vector<float> weightedSums(m_values.size(), 0.0f);
    std::vector<float> weightSums(m_values.size(), 0.0f);
    float* weighted = weightedSums.data();
    float* weights = weightSums.data();
    // One line of nodes: from node `from` to node `to` of the line starting at `first`,
    // `stride` apart; each bridged node is told to `bridged` by its place along the line.
    const auto bridge = [&](int first, int from, int to, int stride, auto bridged) {
        int previous = -1;
        for (int i = from; i <= to; ++i) {
            if (std::isnan(measured[first + i * stride])) continue;
            const int span = i - previous;
            if (previous >= 0 && span > 1 && span <= 2 * radius) {
                const float a = measured[first + previous * stride];
                const float b = measured[first + i * stride];
                const float w = 1.0f / float(span);
                for (int k = previous + 1; k < i; ++k) {
                    const float t = float(k - previous) / float(span);
                    weighted[first + k * stride] += w * (a + (b - a) * t);
                    weights[first + k * stride] += w;
                    bridged(k);
                }
            }
            previous = i;
        }
    };
    for (int y = 0; y < m_height; ++y)
        bridge(y * m_width, m_rowFirst[size_t(y)], m_rowLast[size_t(y)], 1, [](int) {});
    // A column bridges nodes of rows beyond their own measured part.
    std::vector<int> first = m_rowFirst, last = m_rowLast;
    for (int x = 0; x < m_width; ++x) {
        bridge(x, m_columnFirst[size_t(x)], m_columnLast[size_t(x)], m_width, [&](int y) {
            first[size_t(y)] = std::min(first[size_t(y)], x);
            last[size_t(y)] = std::max(last[size_t(y)], x);
        });
    }
    m_rowFirst = std::move(first);
    m_rowLast = std::move(last);
    bool none = true;
    for (int y = 0; y < m_height; ++y) {
        for (int x = m_rowFirst[size_t(y)]; x <= m_rowLast[size_t(y)]; ++x) {
            const size_t i = size_t(y * m_width + x);
            float& v = m_values[i];
            if (weights[i] > 0.0f) v = weighted[i] / weights[i];
            if (std::isnan(v)) continue;
            m_min = none ? v : std::min(m_min, v);
            m_max = none ? v : std::max(m_max, v);
            none = false;
        }
    }
}

QPointF DepthField::cellPoint(qreal x, qreal y) const {
    // A node stands for the middle of its block.
    const qreal half = m_step / 2.0;
    return QPointF(m_region.left() + x * m_step + half, m_region.top() + y * m_step + half);
}

namespace {

// A crossing on a lattice edge: the edge from node (x, y) to its east (vertical = false) or
// north neighbour.
quint64 edgeKey(int x, int y, bool vertical) {
    return (quint64(quint32(x)) << 33) | (quint64(quint32(y)) << 1) | (vertical ? 1u : 0u);
}

struct Segment {
    quint64 a;
    quint64 b;
};

class LevelTracer {
public:
    LevelTracer(const DepthField& field, float level) : m_field(field), m_level(level) {}

    // The square with its corner (x, y) crosses this level.
    void square(int x, int y) {
        const float v[4] = {m_field.at(x, y), m_field.at(x + 1, y), m_field.at(x + 1, y + 1),
                            m_field.at(x, y + 1)};
        int code = 0;
        for (int i = 0; i < 4; ++i) {
            if (v[i] > m_level) code |= 1 << i;
        }
        if (code == 0 || code == 15) return;
        segments(x, y, code, (v[0] + v[1] + v[2] + v[3]) / 4.0f > m_level);
    }

    QVector<StructContour> run() { return join(); }

private:
    // The crossing's point on the edge, interpolated between the two nodes' depths.
    void crossing(int x, int y, bool vertical) {
        const quint64 key = edgeKey(x, y, vertical);
        if (m_points.contains(key)) return;
        const float a = m_field.at(x, y);
        const float b = vertical ? m_field.at(x, y + 1) : m_field.at(x + 1, y);
        const qreal t = std::clamp(qreal(m_level - a) / qreal(b - a), 0.0, 1.0);
        m_points.insert(key, vertical ? m_field.cellPoint(x, y + t) : m_field.cellPoint(x + t, y));
    }

    void link(int x0, int y0, bool v0, int x1, int y1, bool v1) {
        crossing(x0, y0, v0);
        crossing(x1, y1, v1);
        const int index = m_segments.size();
        m_segments.append(Segment{edgeKey(x0, y0, v0), edgeKey(x1, y1, v1)});
        m_ends.insert(m_segments.last().a, index);
        m_ends.insert(m_segments.last().b, index);
    }

    void segments(int x, int y, int code, bool centreDeep) {
        // Edges: 0 bottom (x,y)-(x+1,y), 1 right, 2 top, 3 left.
        auto edge = [&](int e, int& ex, int& ey, bool& vertical) {
            ex = e == 1 ? x + 1 : x;
            ey = e == 2 ? y + 1 : y;
            vertical = e == 1 || e == 3;
        };
        auto connect = [&](int e0, int e1) {
            int ax, ay, bx, by;
            bool av, bv;
            edge(e0, ax, ay, av);
            edge(e1, bx, by, bv);
            link(ax, ay, av, bx, by, bv);
        };
        switch (code) {
            case 1:
            case 14:
                connect(3, 0);
                break;
            case 2:
            case 13:
                connect(0, 1);
                break;
            case 3:
            case 12:
                connect(3, 1);
                break;
            case 4:
            case 11:
                connect(1, 2);
                break;
            case 6:
            case 9:
                connect(0, 2);
                break;
            case 7:
            case 8:
                connect(3, 2);
                break;
            case 5:
                if (centreDeep) {
                    connect(3, 2);
                    connect(0, 1);
                } else {
                    connect(3, 0);
                    connect(1, 2);
                }
                break;
            case 10:
                if (centreDeep) {
                    connect(3, 0);
                    connect(1, 2);
                } else {
                    connect(3, 2);
                    connect(0, 1);
                }
                break;
            default:
                break;
        }
    }

    // The other segment at an end, if any not yet used.
    int next(quint64 end, int from) const {
        for (auto it = m_ends.constFind(end); it != m_ends.cend() && it.key() == end; ++it) {
            if (it.value() != from && !m_used[it.value()]) return it.value();
        }
        return -1;
    }

    QVector<StructContour> join() {
        QVector<StructContour> out;
        m_used.fill(false, m_segments.size());
        for (int s = 0; s < m_segments.size(); ++s) {
            if (m_used[s]) continue;
            m_used[s] = true;
            QVector<quint64> chain{m_segments[s].a, m_segments[s].b};
            extend(chain, s, false);
            extend(chain, s, true);
            StructContour c;
            c.depthMetres = m_level;
            c.closed = chain.size() > 2 && chain.first() == chain.last();
            c.points.reserve(chain.size());
            for (quint64 key : qAsConst(chain))
                c.points.append(m_points.value(key));
            out.append(c);
        }
        return out;
    }

    // Walks on from the chain's last end (or its first, backwards).
    void extend(QVector<quint64>& chain, int from, bool backwards) {
        int current = from;
        while (true) {
            const quint64 end = backwards ? chain.first() : chain.last();
            if (chain.size() > 2 && chain.first() == chain.last()) return;
            const int n = next(end, current);
            if (n < 0) return;
            m_used[n] = true;
            const quint64 other = m_segments[n].a == end ? m_segments[n].b : m_segments[n].a;
            if (backwards)
                chain.prepend(other);
            else
                chain.append(other);
            current = n;
        }
    }

    const DepthField& m_field;
    const float m_level;
    QHash<quint64, QPointF> m_points;
    QVector<Segment> m_segments;
    QMultiHash<quint64, int> m_ends;
    QVector<bool> m_used;
};

}  // namespace

QVector<StructContour> DepthContours::trace(const DepthField& field, float intervalMetres) {
    QVector<StructContour> out;
    if (intervalMetres <= 0.0f || field.width() < 2 || field.height() < 2) return out;
    const int first = int(std::floor(field.minDepth() / intervalMetres)) + 1;
    // A level the deepest node only touches (by rounding) makes no line.
    const int last = int(std::ceil(field.maxDepth() / intervalMetres - 1e-3f)) - 1;
    if (last - first > kMaxLevels) return out;
    const int low = std::max(first, 1);
    if (last < low) return out;
    std::vector<LevelTracer> tracers;
    tracers.reserve(size_t(last - low + 1));
    for (int k = low; k <= last; ++k)
        tracers.emplace_back(field, k * intervalMetres);
    // One pass over the squares: each goes only to the levels between its corners.
    for (int y = 0; y + 1 < field.height(); ++y) {
        // Only where both rows may hold depths.
        const int west = std::max(field.rowFirst(y), field.rowFirst(y + 1));
        const int east = std::min(field.rowLast(y), field.rowLast(y + 1));
        for (int x = west; x < east; ++x) {
            const float v[4] = {field.at(x, y), field.at(x + 1, y), field.at(x + 1, y + 1),
                                field.at(x, y + 1)};
            if (std::isnan(v[0]) || std::isnan(v[1]) || std::isnan(v[2]) || std::isnan(v[3]))
                continue;
            const float lo = std::min(std::min(v[0], v[1]), std::min(v[2], v[3]));
            const float hi = std::max(std::max(v[0], v[1]), std::max(v[2], v[3]));
            const int from = std::max(low, int(std::floor(lo / intervalMetres)));
            const int to = std::min(last, int(std::ceil(hi / intervalMetres)));
            for (int k = from; k <= to; ++k)
                tracers[size_t(k - low)].square(x, y);
        }
    }
    for (LevelTracer& t : tracers)
        out += t.run();
    return out;
}

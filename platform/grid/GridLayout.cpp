#include "platform/grid/GridLayout.h"

#include "platform/grid/GridColumns.h"

#include <algorithm>
#include <map>

namespace pensilio::grid {

namespace {
// Splits a total among parts in proportion to their weights; the edges are rounded from the
// running sums, so the pieces add up to the total exactly.
std::vector<int> distribute(const std::vector<int> &weights, int total)
{
    qint64 sum = 0;
    for (int w : weights)
        sum += w;
    std::vector<int> out(weights.size(), 0);
    if (weights.empty())
        return out;
    if (sum <= 0) {
        // Nothing to go by: equal shares.
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = int(qint64(total) * qint64(i + 1) / qint64(out.size()) -
                         qint64(total) * qint64(i) / qint64(out.size()));
        return out;
    }
    qint64 running = 0;
    int previous = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
        running += weights[i];
        const int edge = int((running * total * 2 + sum) / (sum * 2));
        out[i] = edge - previous;
        previous = edge;
    }
    return out;
}

struct BandRows
{
    std::map<int, std::vector<int>> rows; // band row -> visible columns, left to right
};
} // namespace

GridLayout::GridLayout(const GridColumnSet &set, int availableWidth, Fit fit)
{
    std::map<int, BandRows> byBand;
    for (int c : set.visibleColumns())
        byBand[set.column(c).band].rows[set.column(c).rowIndex].push_back(c);

    // Lines: each band row is as high as its tallest column; the record as its tallest band.
    std::map<int, std::vector<int>> rowHeights;
    m_lines = 1;
    for (auto &[band, rows] : byBand) {
        int lines = 0;
        for (auto &[row, cols] : rows.rows) {
            int h = 1;
            for (int c : cols)
                h = std::max(h, set.column(c).lineCount);
            rowHeights[band].push_back(h);
            lines += h;
        }
        m_lines = std::max(m_lines, lines);
    }

    std::vector<int> bands;
    std::vector<int> natural;
    for (int b : set.bandOrder()) {
        int width = set.band(b).width;
        if (width <= 0) {
            const auto it = byBand.find(b);
            if (it == byBand.end())
                continue; // an empty band of no width takes no room
            for (auto &[row, cols] : it->second.rows) {
                int sum = 0;
                for (int c : cols)
                    sum += set.column(c).width > 0 ? set.column(c).width
                                                   : GridColumnSet::kDefaultColumnWidth;
                width = std::max(width, sum);
            }
        }
        bands.push_back(b);
        natural.push_back(width);
    }
    std::vector<int> widths = natural;
    if (fit == Fit::FillWidth && availableWidth > 0)
        widths = distribute(natural, availableWidth);

    int x = 0;
    for (size_t i = 0; i < bands.size(); ++i) {
        const int b = bands[i];
        BandGeometry g{b, x, x + widths[i], set.band(b).fixing == BandFixing::Left};
        m_bands.push_back(g);
        if (g.fixed)
            m_fixedWidth = g.right;
        const auto it = byBand.find(b);
        if (it != byBand.end()) {
            int firstLine = 0;
            size_t rowNumber = 0;
            const size_t rowTotal = it->second.rows.size();
            for (auto &[row, cols] : it->second.rows) {
                const int height = rowHeights[b][rowNumber];
                // The last band row reaches down to the end of the record.
                const int lines = ++rowNumber == rowTotal ? m_lines - firstLine : height;
                std::vector<int> colWidths;
                for (int c : cols)
                    colWidths.push_back(set.column(c).width > 0
                                            ? set.column(c).width
                                            : GridColumnSet::kDefaultColumnWidth);
                const std::vector<int> fitted = distribute(colWidths, g.width());
                int cx = g.left;
                for (size_t k = 0; k < cols.size(); ++k) {
                    m_columns.push_back({cols[k], b, cx, cx + fitted[k], firstLine, lines});
                    cx += fitted[k];
                }
                firstLine += height;
            }
        }
        x = g.right;
    }
    m_width = x;
    // Screen order: bands, then rows, then left to right, as the set lists its visible columns.
    const std::vector<int> &order = set.visibleColumns();
    std::stable_sort(m_columns.begin(), m_columns.end(),
                     [&order](const ColumnGeometry &a, const ColumnGeometry &b) {
                         return std::find(order.begin(), order.end(), a.column) <
                                std::find(order.begin(), order.end(), b.column);
                     });
}

const ColumnGeometry *GridLayout::geometryOf(int column) const
{
    for (const ColumnGeometry &g : m_columns) {
        if (g.column == column)
            return &g;
    }
    return nullptr;
}

const BandGeometry *GridLayout::bandGeometryOf(int band) const
{
    for (const BandGeometry &g : m_bands) {
        if (g.band == band)
            return &g;
    }
    return nullptr;
}

int GridLayout::columnAt(int x, int line) const
{
    for (const ColumnGeometry &g : m_columns) {
        if (x >= g.left && x < g.right && line >= g.firstLine && line < g.firstLine + g.lineCount)
            return g.column;
    }
    return -1;
}

QString GridLayout::check() const
{
    int x = 0;
    for (const BandGeometry &b : m_bands) {
        if (b.left != x || b.right < b.left)
            return QStringLiteral("band %1 spans %2..%3 after %4")
                .arg(b.band)
                .arg(b.left)
                .arg(b.right)
                .arg(x);
        x = b.right;
    }
    if (x != m_width)
        return QStringLiteral("bands end at %1, not at the width %2").arg(x).arg(m_width);
    for (const ColumnGeometry &c : m_columns) {
        const BandGeometry *b = bandGeometryOf(c.band);
        if (!b || c.left < b->left || c.right > b->right || c.right < c.left)
            return QStringLiteral("column %1 lies outside its band").arg(c.column);
        if (c.firstLine < 0 || c.lineCount < 1 || c.firstLine + c.lineCount > m_lines)
            return QStringLiteral("column %1 lies outside the record's lines").arg(c.column);
        for (const ColumnGeometry &o : m_columns) {
            const bool linesMeet =
                c.firstLine < o.firstLine + o.lineCount && o.firstLine < c.firstLine + c.lineCount;
            if (&o != &c && o.band == c.band && linesMeet && c.left < o.right && o.left < c.right)
                return QStringLiteral("columns %1 and %2 overlap").arg(c.column).arg(o.column);
        }
    }
    return {};
}

} // namespace pensilio::grid

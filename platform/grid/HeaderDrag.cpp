#include "platform/grid/HeaderDrag.h"

#include <algorithm>

namespace pensilio::grid {

namespace {
// Every column and band takes its shown width as its own, so that proportions stay as the
// user sees them and only the dragged edge moves.
void freeze(GridColumnSet &set, const GridLayout &layout)
{
    for (const ColumnGeometry &g : layout.columns())
        set.setColumnWidth(g.column, g.width());
    for (const BandGeometry &b : layout.bands())
        set.setBandWidth(b.band, b.width());
}

const BandGeometry *bandAt(const GridLayout &layout, int x)
{
    for (const BandGeometry &b : layout.bands()) {
        if (x >= b.left && x < b.right)
            return &b;
    }
    return layout.bands().empty() ? nullptr : &layout.bands().back();
}
} // namespace

ColumnDrop columnDropAt(const GridColumnSet &set, const GridLayout &layout, int x, int line)
{
    ColumnDrop drop;
    if (x < 0)
        x = 0;
    const BandGeometry *band = bandAt(layout, x);
    if (!band)
        return drop;
    drop.band = band->band;
    drop.markerX = band->left;
    const ColumnGeometry *last = nullptr;
    for (const ColumnGeometry &g : layout.columns()) {
        if (g.band != band->band || line < g.firstLine || line >= g.firstLine + g.lineCount)
            continue;
        const GridColumn &c = set.column(g.column);
        drop.rowIndex = c.rowIndex;
        if (x < (g.left + g.right) / 2) {
            drop.colIndex = c.colIndex;
            drop.markerX = g.left;
            return drop;
        }
        last = &g;
    }
    if (last) {
        drop.colIndex = set.column(last->column).colIndex + 1;
        drop.markerX = last->right;
    }
    return drop;
}

BandDrop bandDropAt(const GridColumnSet &set, const GridLayout &layout, int band, int x)
{
    BandDrop drop;
    const bool fixed = set.band(band).fixing == BandFixing::Left;
    // A fixed band cannot leave the fixed side, nor another band enter it.
    const BandGeometry *over = bandAt(layout, x);
    if (!over || over->fixed != fixed)
        return drop;
    std::vector<const BandGeometry *> others;
    for (const BandGeometry &b : layout.bands()) {
        if (b.fixed == fixed && b.band != band)
            others.push_back(&b);
    }
    drop.position = 0;
    for (const BandGeometry *b : others) {
        if (x < (b->left + b->right) / 2)
            break;
        ++drop.position;
    }
    if (size_t(drop.position) < others.size())
        drop.markerX = others[size_t(drop.position)]->left;
    else
        drop.markerX = others.empty() ? over->left : others.back()->right;
    return drop;
}

GridColumnSet resizeBand(GridColumnSet set, const GridLayout &layout, int band, int width,
                         bool fillWidth)
{
    const std::vector<BandGeometry> &bands = layout.bands();
    const auto it = std::find_if(bands.begin(), bands.end(),
                                 [band](const BandGeometry &b) { return b.band == band; });
    if (it == bands.end())
        return set;
    freeze(set, layout);
    int delta = std::max(width, kMinimumColumnWidth) - it->width();
    if (!fillWidth) {
        set.setBandWidth(band, it->width() + delta);
        return set;
    }
    // The band to the right gives the room; the last band's edge is the grid's own.
    const auto next = it + 1;
    if (next == bands.end())
        return set;
    delta = std::min(delta, next->width() - kMinimumColumnWidth);
    set.setBandWidth(band, it->width() + delta);
    set.setBandWidth(next->band, next->width() - delta);
    return set;
}

GridColumnSet resizeColumn(GridColumnSet set, const GridLayout &layout, int column, int width,
                           bool fillWidth)
{
    const ColumnGeometry *g = layout.geometryOf(column);
    const BandGeometry *band = g ? layout.bandGeometryOf(g->band) : nullptr;
    if (!g || !band)
        return set;
    int delta = std::max(width, kMinimumColumnWidth) - g->width();
    const ColumnGeometry *neighbour = nullptr;
    for (const ColumnGeometry &o : layout.columns()) {
        if (o.band == g->band && o.left == g->right && o.firstLine == g->firstLine)
            neighbour = &o;
    }
    if (fillWidth && neighbour) {
        freeze(set, layout);
        delta = std::min(delta, neighbour->width() - kMinimumColumnWidth);
        set.setColumnWidth(column, g->width() + delta);
        set.setColumnWidth(neighbour->column, neighbour->width() - delta);
        return set;
    }
    // The last column of its band row widens its band, which takes the room from the next.
    GridColumnSet widened = resizeBand(set, layout, g->band, band->width() + delta, fillWidth);
    const GridLayout after(widened, layout.width(),
                           fillWidth ? GridLayout::Fit::FillWidth : GridLayout::Fit::NaturalWidths);
    const BandGeometry *grown = after.bandGeometryOf(g->band);
    const int applied = grown ? grown->width() - band->width() : 0;
    widened.setColumnWidth(column, g->width() + applied);
    return widened;
}

} // namespace pensilio::grid

#pragma once
// What dragging a header does to the columns and bands, without a widget: where a dragged
// column or band would land, and the widths after a header's edge is dragged. With column
// auto width a neighbour gives or takes the difference, so the columns still fill the width.

#include "platform/grid/GridColumns.h"
#include "platform/grid/GridLayout.h"

namespace pensilio::grid {

struct ColumnDrop
{
    int band = -1; // -1: no place to drop
    int rowIndex = 0;
    int colIndex = 0;
    int markerX = 0; // in layout pixels
};

struct BandDrop
{
    int position = -1; // among the bands of the dragged band's kind; -1: no place
    int markerX = 0;
};

// 'x' in layout pixels; 'line' the header line under the pointer.
ColumnDrop columnDropAt(const GridColumnSet &set, const GridLayout &layout, int x, int line);
BandDrop bandDropAt(const GridColumnSet &set, const GridLayout &layout, int band, int x);

constexpr int kMinimumColumnWidth = 12;

// The set after a column or band is given a new shown width.
GridColumnSet resizeColumn(GridColumnSet set, const GridLayout &layout, int column, int width,
                           bool fillWidth);
GridColumnSet resizeBand(GridColumnSet set, const GridLayout &layout, int band, int width,
                         bool fillWidth);

} // namespace pensilio::grid

#pragma once
// Where the bands and visible columns of a banded view lie across one record, in pixels from the
// left edge of the first band, and in text lines from the top of the record. The widget paints
// with it and the HTML export takes its column edges from it; both see the same geometry.

#include <QString>
#include <vector>

namespace pensilio::grid {

class GridColumnSet;

struct BandGeometry
{
    int band = -1;
    int left = 0;
    int right = 0; // exclusive
    bool fixed = false;
    int width() const { return right - left; }
};

struct ColumnGeometry
{
    int column = -1;
    int band = -1;
    int left = 0;
    int right = 0; // exclusive
    int firstLine = 0;
    int lineCount = 1;
    int width() const { return right - left; }
};

class GridLayout
{
public:
    enum class Fit
    {
        NaturalWidths,
        FillWidth
    };

    GridLayout() = default;
    // FillWidth widens or narrows the bands, and the columns within them, in proportion to
    // their widths so that together they take exactly availableWidth.
    GridLayout(const GridColumnSet &columns, int availableWidth, Fit fit);

    const std::vector<BandGeometry> &bands() const { return m_bands; }
    const std::vector<ColumnGeometry> &columns() const { return m_columns; } // screen order
    const ColumnGeometry *geometryOf(int column) const;
    const BandGeometry *bandGeometryOf(int band) const;
    int width() const { return m_width; }
    int fixedWidth() const { return m_fixedWidth; } // the fixed bands at the left edge
    int linesPerRecord() const { return m_lines; }
    // The visible column under a point of a record; -1 when none.
    int columnAt(int x, int line) const;

    // Empty when the geometry is consistent, otherwise what is wrong.
    QString check() const;

private:
    std::vector<BandGeometry> m_bands;
    std::vector<ColumnGeometry> m_columns;
    int m_width = 0;
    int m_fixedWidth = 0;
    int m_lines = 1;
};

} // namespace pensilio::grid

#pragma once
// The bands and columns of a banded view: where each column sits (band, row, position, lines),
// how wide it is, whether it shows, and which table field it is bound to by name.

#include "platform/grid/GridStyle.h"

#include <QString>
#include <optional>
#include <vector>

namespace pensilio::memdata {
class Table;
}

namespace pensilio::grid {

enum class BandFixing
{
    None,
    Left
};

struct GridBand
{
    QString caption;
    int width = 0; // 0: as wide as its columns
    BandFixing fixing = BandFixing::None;
    Qt::Alignment captionAlignment = Qt::AlignCenter;
};

struct ColumnOptions
{
    bool filtering = true;
    bool filterMruList = true;
    bool grouping = true;
    bool sorting = true;
};

struct GridColumn
{
    QString name;      // the component's own name, for the program's configuration
    QString fieldName; // bound field, looked up ignoring case
    QString caption;   // empty: the bound field's name as the table spells it
    int band = 0;
    int colIndex = 0; // left to right within a band row
    int rowIndex = 0; // band row, top to bottom
    int lineCount = 1;
    int width = 0; // 0: the default width
    bool visible = true;
    int groupIndex = -1; // the grouping level it sets; a grouped column leaves the header row
    Qt::Alignment headerAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    Qt::Alignment contentAlignment = Qt::AlignLeft | Qt::AlignTop;
    ColumnOptions options;
    std::optional<GridStyle> contentStyle;
    std::optional<GridStyle> headerStyle;
};

class GridColumnSet
{
public:
    static constexpr int kDefaultColumnWidth = 64;

    int addBand(GridBand band);
    int addColumn(GridColumn column);
    int bandCount() const { return static_cast<int>(m_bands.size()); }
    int columnCount() const { return static_cast<int>(m_columns.size()); }
    const GridBand &band(int index) const { return m_bands[static_cast<size_t>(index)]; }
    const GridColumn &column(int index) const { return m_columns[static_cast<size_t>(index)]; }
    void setColumnVisible(int column, bool visible);
    void setColumnWidth(int column, int width);
    void setBandWidth(int band, int width);
    void setColumnGroupIndex(int column, int groupIndex);
    // Moves a column within the bands: to 'band', before the column now at 'colIndex' of that
    // band's row 'rowIndex' (or to its end), renumbering the others of both rows.
    void moveColumn(int column, int band, int rowIndex, int colIndex);
    // Moves a band to 'position' among the bands of its kind (fixed or not), in screen order.
    void moveBand(int band, int position);
    int findColumn(QStringView fieldName) const; // ignoring case; -1 when none

    // Binds every column to its table field; a name the table lacks leaves the column unbound
    // (it shows empty cells) rather than failing the whole view.
    void bind(const memdata::Table *table);
    int fieldOf(int column) const { return m_fields.empty() ? -1 : m_fields[size_t(column)]; }
    QString caption(int column) const;

    // Visible columns in screen order: bands left to right (fixed bands first), then band rows
    // top to bottom, then left to right. A grouped column is not among them.
    const std::vector<int> &visibleColumns() const { return m_visible; }
    // Bands in screen order.
    const std::vector<int> &bandOrder() const { return m_bandOrder; }

private:
    void update();

    std::vector<GridBand> m_bands;
    std::vector<GridColumn> m_columns;
    std::vector<int> m_fields;
    std::vector<int> m_visible;
    std::vector<int> m_bandOrder;
    std::vector<int> m_bandPosition; // screen rank of each band, set by moveBand
    const memdata::Table *m_table = nullptr;
};

} // namespace pensilio::grid

#include "platform/grid/GridColumns.h"

#include "platform/memdata/Table.h"

#include <algorithm>

namespace pensilio::grid {

int GridColumnSet::addBand(GridBand band)
{
    m_bands.push_back(std::move(band));
    update();
    return bandCount() - 1;
}

int GridColumnSet::addColumn(GridColumn column)
{
    m_columns.push_back(std::move(column));
    update();
    return columnCount() - 1;
}

void GridColumnSet::setColumnVisible(int column, bool visible)
{
    m_columns[static_cast<size_t>(column)].visible = visible;
    update();
}

void GridColumnSet::setColumnWidth(int column, int width)
{
    m_columns[static_cast<size_t>(column)].width = std::max(0, width);
}

void GridColumnSet::setBandWidth(int band, int width)
{
    m_bands[static_cast<size_t>(band)].width = std::max(0, width);
}

int GridColumnSet::findColumn(QStringView fieldName) const
{
    for (int i = 0; i < columnCount(); ++i) {
        if (fieldName.compare(column(i).fieldName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void GridColumnSet::bind(const memdata::Table *table)
{
    m_table = table;
    update();
}

QString GridColumnSet::caption(int index) const
{
    const GridColumn &c = column(index);
    if (!c.caption.isEmpty())
        return c.caption;
    const int field = fieldOf(index);
    // The field's own spelling, so a column bound as "Note" to the field "note" reads "note".
    return field >= 0 ? m_table->field(field).name : c.fieldName;
}

void GridColumnSet::update()
{
    m_fields.assign(m_columns.size(), -1);
    if (m_table) {
        for (size_t i = 0; i < m_columns.size(); ++i)
            m_fields[i] = m_table->findField(m_columns[i].fieldName);
    }

    m_bandOrder.clear();
    for (int b = 0; b < bandCount(); ++b)
        m_bandOrder.push_back(b);
    std::stable_sort(m_bandOrder.begin(), m_bandOrder.end(), [this](int a, int b) {
        return (band(a).fixing == BandFixing::Left) > (band(b).fixing == BandFixing::Left);
    });
    std::vector<int> rank(m_bands.size());
    for (size_t i = 0; i < m_bandOrder.size(); ++i)
        rank[static_cast<size_t>(m_bandOrder[i])] = static_cast<int>(i);

    m_visible.clear();
    for (int i = 0; i < columnCount(); ++i) {
        const GridColumn &c = column(i);
        if (c.visible && c.band >= 0 && c.band < bandCount())
            m_visible.push_back(i);
    }
    std::stable_sort(m_visible.begin(), m_visible.end(), [&](int a, int b) {
        const GridColumn &x = column(a);
        const GridColumn &y = column(b);
        const int bx = rank[static_cast<size_t>(x.band)], by = rank[static_cast<size_t>(y.band)];
        if (bx != by)
            return bx < by;
        if (x.rowIndex != y.rowIndex)
            return x.rowIndex < y.rowIndex;
        return x.colIndex < y.colIndex;
    });
}

} // namespace pensilio::grid

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

void GridColumnSet::setColumnGroupIndex(int column, int groupIndex)
{
    m_columns[static_cast<size_t>(column)].groupIndex = groupIndex;
    update();
}

void GridColumnSet::moveColumn(int column, int band, int rowIndex, int colIndex)
{
    if (column < 0 || column >= columnCount() || band < 0 || band >= bandCount())
        return;
    std::vector<int> row;
    for (int i = 0; i < columnCount(); ++i) {
        const GridColumn &c = m_columns[size_t(i)];
        if (i != column && c.band == band && c.rowIndex == rowIndex)
            row.push_back(i);
    }
    std::stable_sort(row.begin(), row.end(), [this](int a, int b) {
        return m_columns[size_t(a)].colIndex < m_columns[size_t(b)].colIndex;
    });
    const auto at = std::find_if(row.begin(), row.end(), [this, colIndex](int i) {
        return m_columns[size_t(i)].colIndex >= colIndex;
    });
    row.insert(at, column);
    GridColumn &moved = m_columns[size_t(column)];
    const int oldBand = moved.band, oldRow = moved.rowIndex;
    moved.band = band;
    moved.rowIndex = rowIndex;
    for (size_t k = 0; k < row.size(); ++k)
        m_columns[size_t(row[k])].colIndex = static_cast<int>(k);
    // Close the gap the column left in its old row.
    if (oldBand != band || oldRow != rowIndex) {
        std::vector<int> old;
        for (int i = 0; i < columnCount(); ++i) {
            if (m_columns[size_t(i)].band == oldBand && m_columns[size_t(i)].rowIndex == oldRow)
                old.push_back(i);
        }
        std::stable_sort(old.begin(), old.end(), [this](int a, int b) {
            return m_columns[size_t(a)].colIndex < m_columns[size_t(b)].colIndex;
        });
        for (size_t k = 0; k < old.size(); ++k)
            m_columns[size_t(old[k])].colIndex = static_cast<int>(k);
    }
    update();
}

void GridColumnSet::moveBand(int band, int position)
{
    if (band < 0 || band >= bandCount())
        return;
    const bool fixed = this->band(band).fixing == BandFixing::Left;
    std::vector<int> same;
    for (int b : m_bandOrder) {
        if (b != band && (this->band(b).fixing == BandFixing::Left) == fixed)
            same.push_back(b);
    }
    position = std::clamp(position, 0, static_cast<int>(same.size()));
    same.insert(same.begin() + position, band);
    std::vector<int> others;
    for (int b : m_bandOrder) {
        if ((this->band(b).fixing == BandFixing::Left) != fixed)
            others.push_back(b);
    }
    std::vector<int> order = fixed ? same : others;
    const std::vector<int> &rest = fixed ? others : same;
    order.insert(order.end(), rest.begin(), rest.end());
    for (size_t i = 0; i < order.size(); ++i)
        m_bandPosition[size_t(order[i])] = static_cast<int>(i);
    update();
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

    while (m_bandPosition.size() < m_bands.size())
        m_bandPosition.push_back(static_cast<int>(m_bandPosition.size()));
    m_bandOrder.clear();
    for (int b = 0; b < bandCount(); ++b)
        m_bandOrder.push_back(b);
    std::stable_sort(m_bandOrder.begin(), m_bandOrder.end(), [this](int a, int b) {
        const bool fa = band(a).fixing == BandFixing::Left, fb = band(b).fixing == BandFixing::Left;
        if (fa != fb)
            return fa;
        return m_bandPosition[size_t(a)] < m_bandPosition[size_t(b)];
    });
    std::vector<int> rank(m_bands.size());
    for (size_t i = 0; i < m_bandOrder.size(); ++i)
        rank[static_cast<size_t>(m_bandOrder[i])] = static_cast<int>(i);

    m_visible.clear();
    for (int i = 0; i < columnCount(); ++i) {
        const GridColumn &c = column(i);
        if (c.visible && c.groupIndex < 0 && c.band >= 0 && c.band < bandCount())
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

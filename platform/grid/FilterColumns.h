#pragma once
// The columns a filter may name, as the grid declares them: an id the grid chooses, the field
// name that filter files use, the caption the description shows, and the kind of values.

#include "platform/grid/FilterTypes.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace pensilio::grid {

struct FilterColumn
{
    int id = -1;
    QString name;
    QString caption;
    FilterColumnType type = FilterColumnType::Text;
};

class FilterColumns
{
public:
    FilterColumns() = default;
    FilterColumns(std::initializer_list<FilterColumn> columns) : m_columns(columns) {}

    void add(FilterColumn column) { m_columns.push_back(std::move(column)); }
    const std::vector<FilterColumn> &all() const { return m_columns; }
    const FilterColumn *byId(int id) const
    {
        for (const auto &column : m_columns) {
            if (column.id == id)
                return &column;
        }
        return nullptr;
    }
    // Field names ignore letter case, as the table's do.
    const FilterColumn *byName(QStringView name) const
    {
        for (const auto &column : m_columns) {
            if (name.compare(column.name, Qt::CaseInsensitive) == 0)
                return &column;
        }
        return nullptr;
    }

private:
    std::vector<FilterColumn> m_columns;
};

} // namespace pensilio::grid

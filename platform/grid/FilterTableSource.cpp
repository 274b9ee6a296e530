#include "platform/grid/FilterTableSource.h"

#include "platform/memdata/Table.h"

namespace pensilio::grid {

void FilterTableSource::bind(int column, int field)
{
    if (column < 0)
        return;
    if (static_cast<size_t>(column) >= m_fields.size())
        m_fields.resize(static_cast<size_t>(column) + 1, -1);
    m_fields[static_cast<size_t>(column)] = field;
}

int FilterTableSource::fieldOf(int column) const
{
    if (column < 0 || static_cast<size_t>(column) >= m_fields.size())
        return -1;
    return m_fields[static_cast<size_t>(column)];
}

std::optional<std::string_view> FilterTableSource::text(qint64 row, int column) const
{
    const int field = fieldOf(column);
    if (field < 0)
        return std::nullopt;
    const memdata::TextRef value = m_table.text(static_cast<memdata::RowId>(row), field);
    if (value.isNull())
        return std::nullopt;
    return value.view();
}

std::optional<qint64> FilterTableSource::dateTime(qint64 row, int column) const
{
    const int field = fieldOf(column);
    if (field < 0)
        return std::nullopt;
    const WallDateTime value = m_table.dateTime(static_cast<memdata::RowId>(row), field);
    if (value.isNull())
        return std::nullopt;
    return value.raw();
}

} // namespace pensilio::grid

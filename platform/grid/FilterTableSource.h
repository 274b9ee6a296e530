#pragma once
// Lets a filter read its rows straight from an in-memory table: each filter column is bound to
// one field, rows are the table's RowIds, and values are byte views into the table's texts.

#include "platform/grid/FilterMatcher.h"

#include <vector>

namespace pensilio::memdata {
class Table;
}

namespace pensilio::grid {

class FilterTableSource final : public FilterRowSource
{
public:
    explicit FilterTableSource(const memdata::Table &table) : m_table(table) {}

    // Binds a filter column id (not negative) to a field of the table.
    void bind(int column, int field);

    std::optional<std::string_view> text(qint64 row, int column) const override;
    std::optional<qint64> dateTime(qint64 row, int column) const override;

private:
    int fieldOf(int column) const;

    const memdata::Table &m_table;
    std::vector<int> m_fields; // by column id; -1 where none is bound
};

} // namespace pensilio::grid

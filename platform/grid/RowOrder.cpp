#include "platform/grid/RowOrder.h"

#include <algorithm>

namespace pensilio::grid {

namespace {
int compareTexts(const memdata::TextRef &a, const memdata::TextRef &b)
{
    if (a.isNull() || b.isNull())
        return int(b.isNull()) - int(a.isNull());
    // string_view compares through memcmp, which orders bytes as unsigned: accents after 'z'.
    const int c = a.view().compare(b.view());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

template <typename T> int compareValues(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}
} // namespace

RowKeyCompare::RowKeyCompare(const memdata::Table &table, std::vector<FieldKey> keys)
    : m_table(&table), m_keys(std::move(keys))
{
    for (const FieldKey &k : m_keys)
        m_types.push_back(table.field(k.field).type);
}

int RowKeyCompare::compare(memdata::RowId a, memdata::RowId b) const
{
    for (size_t i = 0; i < m_keys.size(); ++i) {
        const int field = m_keys[i].field;
        int c = 0;
        switch (m_types[i]) {
        case memdata::FieldType::Text:
            c = compareTexts(m_table->text(a, field), m_table->text(b, field));
            break;
        case memdata::FieldType::DateTime:
            c = compareValues(m_table->dateTime(a, field).raw(), m_table->dateTime(b, field).raw());
            break;
        case memdata::FieldType::AutoIncrement:
            c = compareValues(m_table->integer(a, field), m_table->integer(b, field));
            break;
        }
        if (c)
            return m_keys[i].descending ? -c : c;
    }
    return 0;
}

void sortRows(std::vector<memdata::RowId> &rows, const RowKeyCompare &compare)
{
    if (!compare.isEmpty())
        std::stable_sort(rows.begin(), rows.end(), compare);
}

} // namespace pensilio::grid

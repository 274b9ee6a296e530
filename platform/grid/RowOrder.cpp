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

quint64 RowKeyCompare::prefix(memdata::RowId row, int offset) const
{
    if (m_keys.empty())
        return 0;
    const int field = m_keys.front().field;
    quint64 value = 0;
    switch (m_types.front()) {
    case memdata::FieldType::Text: {
        // Seven bytes from the offset, high byte first, then a length mark: a missing text is
        // 0, so it comes before the empty text; a shorter text comes before a longer one it
        // begins; the mark 8 says the text may go on.
        const memdata::TextRef text = m_table->text(row, field);
        if (text.isNull())
            break;
        const std::string_view v = text.view();
        const size_t from = std::min<size_t>(v.size(), size_t(offset));
        const size_t n = std::min<size_t>(v.size() - from, 7);
        for (size_t i = 0; i < 7; ++i)
            value = (value << 8) | (i < n ? quint8(v[from + i]) : 0u);
        value = (value << 8) | quint64(n + 1);
        break;
    }
    case memdata::FieldType::DateTime:
        value = quint64(m_table->dateTime(row, field).raw()) ^ (quint64(1) << 63);
        break;
    case memdata::FieldType::AutoIncrement:
        value = quint64(qint64(m_table->integer(row, field))) ^ (quint64(1) << 63);
        break;
    }
    return m_keys.front().descending ? ~value : value;
}

bool RowKeyCompare::firstKeyIsText() const
{
    return !m_types.empty() && m_types.front() == memdata::FieldType::Text;
}

namespace {
struct Entry
{
    quint64 prefix;
    memdata::RowId row;
};
using Entries = std::vector<Entry>::iterator;

// Sorts rows that agree on the first key's bytes before 'offset' by the next seven bytes, then
// each run that still agrees by the bytes after those. Each text is read once per level rather
// than at every comparison, which keeps a million subjects from costing seconds.
void refine(Entries begin, Entries end, int offset, const RowKeyCompare &compare)
{
    for (Entries e = begin; e != end; ++e)
        e->prefix = compare.prefix(e->row, offset);
    std::stable_sort(begin, end,
                     [](const Entry &a, const Entry &b) { return a.prefix < b.prefix; });
    const bool descending = compare.firstKeyDescending();
    for (Entries run = begin; run != end;) {
        Entries next = run + 1;
        while (next != end && next->prefix == run->prefix)
            ++next;
        if (next - run > 1) {
            const quint64 mark = (descending ? ~run->prefix : run->prefix) & 0xff;
            if (compare.firstKeyIsText() && mark == 8)
                refine(run, next, offset + 7, compare);
            else if (compare.keyCount() > 1)
                std::stable_sort(run, next, [&compare](const Entry &a, const Entry &b) {
                    return compare.compare(a.row, b.row) < 0;
                });
        }
        run = next;
    }
}
} // namespace

void sortRows(std::vector<memdata::RowId> &rows, const RowKeyCompare &compare)
{
    if (compare.isEmpty())
        return;
    std::vector<Entry> entries;
    entries.reserve(rows.size());
    for (memdata::RowId row : rows)
        entries.push_back({0, row});
    refine(entries.begin(), entries.end(), 0, compare);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = entries[i].row;
}

} // namespace pensilio::grid

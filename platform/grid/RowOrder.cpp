#include "platform/grid/RowOrder.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

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
        if (const int c = compareKey(i, a, b))
            return c;
    }
    return 0;
}

int RowKeyCompare::compareKey(size_t i, memdata::RowId a, memdata::RowId b) const
{
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
    return m_keys[i].descending ? -c : c;
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

// A text key with few distinct values among many rows (subjects that repeat) sorts fastest by
// giving each row the number of its value through a hash of the table's own bytes, sorting the
// few values and dealing the rows out in one stable pass; runs of one value are then ordered by
// the other keys. Returns false, with the rows untouched, when the values prove to be many.
bool sortByFewValues(std::vector<memdata::RowId> &rows, const RowKeyCompare &compare)
{
    const size_t limit = std::max<size_t>(256, rows.size() / 32);
    const memdata::Table &table = compare.table();
    const int field = compare.firstField();
    std::unordered_map<std::string_view, quint32> numbers;
    std::vector<memdata::RowId> firstOf; // a row of each value
    std::vector<quint32> ids(rows.size());
    quint32 nullId = UINT32_MAX;
    for (size_t i = 0; i < rows.size(); ++i) {
        const memdata::TextRef text = table.text(rows[i], field);
        if (text.isNull()) {
            if (nullId == UINT32_MAX) {
                nullId = quint32(firstOf.size());
                firstOf.push_back(rows[i]);
            }
            ids[i] = nullId;
            continue;
        }
        const auto [it, added] = numbers.try_emplace(text.view(), quint32(firstOf.size()));
        if (added) {
            if (firstOf.size() >= limit)
                return false;
            firstOf.push_back(rows[i]);
        }
        ids[i] = it->second;
    }
    numbers = {};
    std::vector<quint32> byValue(firstOf.size());
    for (size_t i = 0; i < byValue.size(); ++i)
        byValue[i] = quint32(i);
    std::sort(byValue.begin(), byValue.end(), [&](quint32 a, quint32 b) {
        return compare.compareKey(0, firstOf[a], firstOf[b]) < 0;
    });
    std::vector<quint32> next(firstOf.size() + 1, 0); // by rank: where its next row goes
    std::vector<quint32> rank(firstOf.size());
    for (size_t r = 0; r < byValue.size(); ++r)
        rank[byValue[r]] = quint32(r);
    for (quint32 &id : ids) {
        id = rank[id];
        ++next[id + 1];
    }
    for (size_t r = 1; r < next.size(); ++r)
        next[r] += next[r - 1];
    const std::vector<quint32> starts = next;
    std::vector<memdata::RowId> dealt(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        dealt[next[ids[i]]++] = rows[i];
    ids = {};
    rows = std::move(dealt);
    if (compare.keyCount() > 1) {
        for (size_t r = 0; r + 1 < starts.size(); ++r) {
            if (starts[r + 1] - starts[r] > 1)
                std::stable_sort(rows.begin() + starts[r], rows.begin() + starts[r + 1],
                                 [&compare](memdata::RowId a, memdata::RowId b) {
                                     return compare.compare(a, b) < 0;
                                 });
        }
    }
    return true;
}

void sortRows(std::vector<memdata::RowId> &rows, const RowKeyCompare &compare)
{
    if (compare.isEmpty())
        return;
    if (compare.firstKeyIsText() && rows.size() > 1024 && sortByFewValues(rows, compare))
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

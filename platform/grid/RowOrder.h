#pragma once
// The order of a sorted view: rows compare by a list of fields, each ascending or descending;
// texts by their Windows-1252 bytes (capitals before small letters, accents after 'z'), dates
// and numbers by value, a missing value first. Ties are left to the caller (table order).

#include "platform/memdata/Table.h"

#include <vector>

namespace pensilio::grid {

struct SortKey
{
    int column = -1;
    Qt::SortOrder order = Qt::AscendingOrder;
    bool operator==(const SortKey &) const = default;
};

class RowKeyCompare
{
public:
    struct FieldKey
    {
        int field = -1;
        bool descending = false;
    };

    RowKeyCompare(const memdata::Table &table, std::vector<FieldKey> keys);
    bool isEmpty() const { return m_keys.empty(); }
    // Negative, zero or positive as a sorts before, with or after b.
    int compare(memdata::RowId a, memdata::RowId b) const;
    // The same for one key of the list alone.
    int compareKey(size_t key, memdata::RowId a, memdata::RowId b) const;
    bool operator()(memdata::RowId a, memdata::RowId b) const { return compare(a, b) < 0; }
    // A number that orders rows as the first key does wherever two numbers differ; for texts
    // it covers seven bytes from the offset, and equal numbers need the bytes after them.
    quint64 prefix(memdata::RowId row, int offset = 0) const;
    bool firstKeyIsText() const;
    bool firstKeyDescending() const { return !m_keys.empty() && m_keys.front().descending; }
    int keyCount() const { return static_cast<int>(m_keys.size()); }
    const memdata::Table &table() const { return *m_table; }
    int firstField() const { return m_keys.empty() ? -1 : m_keys.front().field; }

private:
    const memdata::Table *m_table;
    std::vector<FieldKey> m_keys;
    std::vector<memdata::FieldType> m_types;
};

// A stable sort, so rows that tie keep the order they came in.
void sortRows(std::vector<memdata::RowId> &rows, const RowKeyCompare &compare);

} // namespace pensilio::grid

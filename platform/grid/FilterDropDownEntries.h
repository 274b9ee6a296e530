#pragma once
// What a column's filter drop-down lists, from the top: the recently chosen values and a
// separator, "(All)", "(Custom...)", the blanks entries when a row lacks a value, then every
// distinct value in ascending order. Built from the table without a string per row.

#include "platform/grid/FilterHistory.h"

#include <QString>
#include <vector>

namespace pensilio {
class DateTimeFormatter;
}
namespace pensilio::memdata {
class Table;
}

namespace pensilio::grid {

struct FilterDropDownEntry
{
    enum class Kind : quint8
    {
        RecentValue,
        Separator,
        All,
        Custom,
        Blanks,
        NonBlanks,
        Value
    };
    Kind kind = Kind::All;
    FilterValue value; // recent values and values
};

class FilterDropDownEntries
{
public:
    // The entries for a field of the table; 'recent' is the column's value history.
    static FilterDropDownEntries build(const memdata::Table &table, int field,
                                       const FilterValueHistory &recent);

    int count() const { return static_cast<int>(m_entries.size()); }
    const FilterDropDownEntry &at(int index) const { return m_entries[size_t(index)]; }
    const std::vector<FilterDropDownEntry> &entries() const { return m_entries; }
    // The line as shown; empty for the separator.
    QString text(int index) const;
    // The entry that stands for the column's present condition, or "(All)" when none does.
    int indexFor(const FilterNode *columnItem) const;

    void setDateFormatter(const DateTimeFormatter *dates) { m_dates = dates; }

private:
    std::vector<FilterDropDownEntry> m_entries;
    const DateTimeFormatter *m_dates = nullptr;
};

} // namespace pensilio::grid

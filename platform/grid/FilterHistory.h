#pragma once
// What a grid view remembers of its filtering while it lives: the last filters applied and, per
// column, the last values chosen from its filter drop-down. Most recent first, each once.

#include "platform/grid/FilterNode.h"

#include <vector>

namespace pensilio::grid {

class FilterHistory
{
public:
    static constexpr int kCapacity = 10;

    // Puts the filter first, removing an equal earlier entry; a filter without a condition or
    // group is not remembered.
    void remember(const FilterNode &root);
    const std::vector<FilterNode> &entries() const { return m_entries; }
    // The remembered filters other than the one in force, as the filter panel lists them.
    std::vector<FilterNode> entriesOtherThan(const FilterNode &current) const;
    void clear() { m_entries.clear(); }

private:
    std::vector<FilterNode> m_entries;
};

class FilterValueHistory
{
public:
    static constexpr int kCapacity = 5;

    // Puts the value first, removing an equal earlier entry; the missing value is not
    // remembered, since the drop-down offers it by its own entry.
    void remember(const FilterValue &value);
    const std::vector<FilterValue> &entries() const { return m_entries; }
    void clear() { m_entries.clear(); }

private:
    std::vector<FilterValue> m_entries;
};

} // namespace pensilio::grid

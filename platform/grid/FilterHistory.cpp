#include "platform/grid/FilterHistory.h"

#include <algorithm>

namespace pensilio::grid {

namespace {
template <typename T> void putFirst(std::vector<T> &entries, const T &entry, size_t capacity)
{
    const auto same = std::find(entries.begin(), entries.end(), entry);
    if (same != entries.end())
        entries.erase(same);
    entries.insert(entries.begin(), entry);
    if (entries.size() > capacity)
        entries.resize(capacity);
}
} // namespace

void FilterHistory::remember(const FilterNode &root)
{
    if (!root.isGroup()) {
        remember(FilterNode::group(FilterGroupOperator::And, {root}));
        return;
    }
    if (root.children().empty())
        return;
    putFirst(m_entries, root, kCapacity);
}

std::vector<FilterNode> FilterHistory::entriesOtherThan(const FilterNode &current) const
{
    std::vector<FilterNode> others;
    for (const FilterNode &entry : m_entries) {
        if (!(entry == current))
            others.push_back(entry);
    }
    return others;
}

void FilterValueHistory::remember(const FilterValue &value)
{
    if (value.isNull())
        return;
    putFirst(m_entries, value, kCapacity);
}

} // namespace pensilio::grid

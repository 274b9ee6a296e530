#pragma once
// A node of a filter tree: either a condition, or a group that joins its children with AND, OR,
// NOT AND or NOT OR. Nodes are plain values, so filters copy and compare as a whole.

#include "platform/grid/FilterCondition.h"

#include <vector>

namespace pensilio::grid {

class FilterNode
{
public:
    // An empty AND group: the root of a new filter.
    FilterNode() = default;
    static FilterNode group(FilterGroupOperator op, std::vector<FilterNode> children = {});
    static FilterNode condition(FilterCondition condition);
    static FilterNode condition(int column, FilterOperator op,
                                std::vector<FilterValue> values = {});

    bool isGroup() const { return m_isGroup; }

    // Groups.
    FilterGroupOperator groupOperator() const { return m_groupOperator; }
    void setGroupOperator(FilterGroupOperator op) { m_groupOperator = op; }
    const std::vector<FilterNode> &children() const { return m_children; }
    std::vector<FilterNode> &children() { return m_children; }
    void append(FilterNode child) { m_children.push_back(std::move(child)); }

    // Conditions.
    const FilterCondition &condition() const { return m_condition; }
    FilterCondition &condition() { return m_condition; }

    // Whether a condition stands anywhere below; a group of empty groups has none.
    bool hasConditions() const;
    // Groups below this one, counting this one; a condition is 0 deep.
    int depth() const;
    // Every condition below is valid for the columns.
    bool isValid(const FilterColumns &columns) const;

    bool operator==(const FilterNode &other) const;

private:
    bool m_isGroup = true;
    FilterGroupOperator m_groupOperator = FilterGroupOperator::And;
    std::vector<FilterNode> m_children;
    FilterCondition m_condition;
};

} // namespace pensilio::grid

#include "platform/grid/FilterNode.h"

#include <algorithm>

namespace pensilio::grid {

FilterNode FilterNode::group(FilterGroupOperator op, std::vector<FilterNode> children)
{
    FilterNode node;
    node.m_groupOperator = op;
    node.m_children = std::move(children);
    return node;
}

FilterNode FilterNode::condition(FilterCondition condition)
{
    FilterNode node;
    node.m_isGroup = false;
    node.m_condition = std::move(condition);
    return node;
}

FilterNode FilterNode::condition(int column, FilterOperator op, std::vector<FilterValue> values)
{
    return condition(FilterCondition{column, op, std::move(values)});
}

bool FilterNode::hasConditions() const
{
    if (!m_isGroup)
        return true;
    return std::any_of(m_children.begin(), m_children.end(),
                       [](const FilterNode &child) { return child.hasConditions(); });
}

int FilterNode::depth() const
{
    if (!m_isGroup)
        return 0;
    int deepest = 0;
    for (const FilterNode &child : m_children)
        deepest = std::max(deepest, child.depth());
    return deepest + 1;
}

bool FilterNode::isValid(const FilterColumns &columns) const
{
    if (!m_isGroup)
        return m_condition.isValid(columns);
    return std::all_of(m_children.begin(), m_children.end(),
                       [&](const FilterNode &child) { return child.isValid(columns); });
}

bool FilterNode::operator==(const FilterNode &other) const
{
    if (m_isGroup != other.m_isGroup)
        return false;
    if (!m_isGroup)
        return m_condition == other.m_condition;
    return m_groupOperator == other.m_groupOperator && m_children == other.m_children;
}

} // namespace pensilio::grid

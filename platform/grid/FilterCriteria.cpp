#include "platform/grid/FilterCriteria.h"

#include <algorithm>
#include <set>

namespace pensilio::grid {

namespace {
// True when something of the node was removed; the node may then be an empty group.
bool removeConditionsOn(FilterNode &node, int column)
{
    auto &children = node.children();
    bool removed = false;
    for (auto it = children.begin(); it != children.end();) {
        if (!it->isGroup()) {
            if (it->condition().column == column) {
                it = children.erase(it);
                removed = true;
                continue;
            }
        } else if (removeConditionsOn(*it, column)) {
            removed = true;
            if (it->children().empty()) {
                it = children.erase(it);
                continue;
            }
        }
        ++it;
    }
    return removed;
}

// The column of a root item the custom dialog can show, or -1.
int customDialogColumn(const FilterNode &item)
{
    if (!item.isGroup()) {
        return FilterCriteria::isCustomDialogOperator(item.condition().op) ? item.condition().column
                                                                           : -1;
    }
    const auto op = item.groupOperator();
    if (op != FilterGroupOperator::And && op != FilterGroupOperator::Or)
        return -1;
    const auto &pair = item.children();
    if (pair.size() != 2 || pair[0].isGroup() || pair[1].isGroup())
        return -1;
    const FilterCondition &first = pair[0].condition();
    const FilterCondition &second = pair[1].condition();
    if (first.column != second.column || !FilterCriteria::isCustomDialogOperator(first.op) ||
        !FilterCriteria::isCustomDialogOperator(second.op))
        return -1;
    return first.column;
}
} // namespace

void FilterCriteria::setRoot(FilterNode root)
{
    if (root.isGroup())
        m_root = std::move(root);
    else
        m_root = FilterNode::group(FilterGroupOperator::And, {std::move(root)});
}

void FilterCriteria::clear()
{
    m_root = FilterNode();
    m_active = false;
}

void FilterCriteria::removeColumn(int column)
{
    removeConditionsOn(m_root, column);
}

void FilterCriteria::replaceColumn(int column, FilterNode item)
{
    removeColumn(column);
    m_root.append(std::move(item));
}

bool FilterCriteria::isCustomDialogOperator(FilterOperator op)
{
    // The dialog's lists also offer "is blank" and "is not blank", so a filter it made (or the
    // drop-down's blanks entries made) opens in it again.
    return op <= FilterOperator::NotLike || op == FilterOperator::Blank ||
           op == FilterOperator::NonBlank;
}

bool FilterCriteria::fitsCustomDialog() const
{
    if (m_root.groupOperator() != FilterGroupOperator::And)
        return false;
    std::set<int> seen;
    for (const FilterNode &item : m_root.children()) {
        const int column = customDialogColumn(item);
        if (column < 0 || !seen.insert(column).second)
            return false;
    }
    return true;
}

std::optional<FilterNode> FilterCriteria::columnItem(int column) const
{
    for (const FilterNode &item : m_root.children()) {
        if (customDialogColumn(item) == column)
            return item;
    }
    return std::nullopt;
}

} // namespace pensilio::grid

#pragma once
// The filter of a grid view: a root group with its conditions and nested groups, and the active
// flag that switches it off without removing it. Edits that the filter drop-down and the custom
// filter dialog make on one column live here too.

#include "platform/grid/FilterNode.h"

#include <optional>

namespace pensilio::grid {

class FilterCriteria
{
public:
    const FilterNode &root() const { return m_root; }
    FilterNode &root() { return m_root; }
    // A condition given as the root is wrapped into an AND group.
    void setRoot(FilterNode root);

    // Empty while the root holds neither a condition nor a group.
    bool isEmpty() const { return m_root.children().empty(); }
    bool isActive() const { return m_active; }
    void setActive(bool active) { m_active = active; }
    // Rows are filtered only while the filter is switched on and holds a condition.
    bool filters() const { return m_active && m_root.hasConditions(); }
    // Removes every condition and group and switches the filter off.
    void clear();

    // Removes every condition on the column, and the groups this leaves empty.
    void removeColumn(int column);
    // Replaces the conditions on the column by one item: a condition, or a group of them.
    void replaceColumn(int column, FilterNode item);

    // The custom filter dialog can show the filter: an AND root whose every item is a condition
    // or an AND/OR group of two conditions on one column, with operators the dialog offers and
    // no column named by two items.
    bool fitsCustomDialog() const;
    // The root item that names the column (a condition or a group of two), for the custom
    // dialog to start from.
    std::optional<FilterNode> columnItem(int column) const;
    static bool isCustomDialogOperator(FilterOperator op);

    // Two filters are the same when their trees are; the active flag is not compared.
    bool sameConditions(const FilterCriteria &other) const { return m_root == other.m_root; }

private:
    FilterNode m_root;
    bool m_active = false;
};

} // namespace pensilio::grid

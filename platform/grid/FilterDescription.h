#pragma once
// The filter as one line of text, as the filter panel and the filter history show it: column
// caption, operator name and value for each condition, groups joined by "AND"/"OR" and negated
// groups led by "not". Every word comes from the stock texts.

#include "platform/grid/FilterNode.h"

#include <QString>

namespace pensilio {
class DateTimeFormatter;
}

namespace pensilio::grid {

// Empty for a filter without conditions; the panel then shows "<Filter is Empty>".
QString describeFilter(const FilterNode &root, const FilterColumns &columns,
                       const DateTimeFormatter *dates = nullptr);
QString describeCondition(const FilterCondition &condition, const FilterColumns &columns,
                          const DateTimeFormatter *dates = nullptr);

} // namespace pensilio::grid

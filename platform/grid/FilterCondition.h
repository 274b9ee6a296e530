#pragma once
// One condition of a filter: a column, an operator and the values the operator takes (one, the
// two bounds of a range, a list, or none).

#include "platform/grid/FilterColumns.h"
#include "platform/grid/FilterValue.h"

#include <vector>

namespace pensilio::grid {

struct FilterCondition
{
    int column = -1;
    FilterOperator op = FilterOperator::Equal;
    std::vector<FilterValue> values;

    // A condition the grid can evaluate and the dialogs can show: a known column, an operator
    // for its type, as many values as the operator takes, each fitting the column.
    bool isValid(const FilterColumns &columns) const;

    bool operator==(const FilterCondition &other) const = default;
};

} // namespace pensilio::grid

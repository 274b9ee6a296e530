#include "platform/grid/FilterCondition.h"

namespace pensilio::grid {

bool FilterCondition::isValid(const FilterColumns &columns) const
{
    const FilterColumn *target = columns.byId(column);
    if (!target || !operatorAppliesTo(op, target->type))
        return false;
    switch (filterArity(op)) {
    case FilterArity::None:
        if (!values.empty())
            return false;
        break;
    case FilterArity::One:
        if (values.size() != 1)
            return false;
        break;
    case FilterArity::Two:
        if (values.size() != 2)
            return false;
        break;
    case FilterArity::List:
        break;
    }
    for (const FilterValue &value : values) {
        if (!value.fits(target->type))
            return false;
    }
    return true;
}

} // namespace pensilio::grid

#include "platform/grid/FilterTypes.h"

#include "platform/grid/StockTexts.h"

namespace pensilio::grid {

FilterArity filterArity(FilterOperator op)
{
    switch (op) {
    case FilterOperator::Equal:
    case FilterOperator::NotEqual:
    case FilterOperator::Less:
    case FilterOperator::LessOrEqual:
    case FilterOperator::Greater:
    case FilterOperator::GreaterOrEqual:
    case FilterOperator::Like:
    case FilterOperator::NotLike:
        return FilterArity::One;
    case FilterOperator::Between:
    case FilterOperator::NotBetween:
        return FilterArity::Two;
    case FilterOperator::InList:
    case FilterOperator::NotInList:
        return FilterArity::List;
    default:
        return FilterArity::None;
    }
}

bool isDateOperator(FilterOperator op)
{
    return op >= FilterOperator::Yesterday && op <= FilterOperator::NextYear;
}

bool operatorAppliesTo(FilterOperator op, FilterColumnType type)
{
    if (type == FilterColumnType::Text)
        return !isDateOperator(op);
    // Patterns are a matter of text; a date column is filtered by its values.
    return op != FilterOperator::Like && op != FilterOperator::NotLike;
}

std::vector<FilterOperator> customDialogOperators()
{
    using O = FilterOperator;
    return {O::Equal,          O::NotEqual, O::Less,    O::LessOrEqual, O::Greater,
            O::GreaterOrEqual, O::Like,     O::NotLike, O::Blank,       O::NonBlank};
}

std::vector<FilterOperator> builderOperators(FilterColumnType type)
{
    using O = FilterOperator;
    std::vector<FilterOperator> ops = customDialogOperators();
    ops.insert(ops.end() - 2, {O::Between, O::NotBetween, O::InList, O::NotInList});
    if (type == FilterColumnType::DateTime) {
        std::erase_if(ops, [](FilterOperator op) {
            return !operatorAppliesTo(op, FilterColumnType::DateTime);
        });
        for (int op = static_cast<int>(O::Yesterday); op <= static_cast<int>(O::NextYear); ++op)
            ops.insert(ops.end() - 2, static_cast<FilterOperator>(op));
    }
    return ops;
}

const char *operatorStockWording(FilterOperator op)
{
    static const char *const words[kFilterOperatorCount] = {
        "equals",
        "does not equal",
        "is less than",
        "is less than or equal to",
        "is greater than",
        "is greater than or equal to",
        "like",
        "not like",
        "between",
        "not between",
        "in",
        "not in",
        "is yesterday",
        "is today",
        "is tomorrow",
        "is last week",
        "is last month",
        "is last year",
        "is this week",
        "is this month",
        "is this year",
        "is next week",
        "is next month",
        "is next year",
        "is blank",
        "is not blank",
    };
    return words[static_cast<int>(op)];
}

QString operatorName(FilterOperator op)
{
    return stockText(QString::fromLatin1(operatorStockWording(op)));
}

const char *groupOperatorStockWording(FilterGroupOperator op)
{
    switch (op) {
    case FilterGroupOperator::And:
        return "AND";
    case FilterGroupOperator::Or:
        return "OR";
    case FilterGroupOperator::NotAnd:
        return "NOT AND";
    case FilterGroupOperator::NotOr:
        return "NOT OR";
    }
    return "AND";
}

QString groupOperatorName(FilterGroupOperator op)
{
    return stockText(QString::fromLatin1(groupOperatorStockWording(op)));
}

} // namespace pensilio::grid

#pragma once
// The vocabulary of the grid's filters: condition operators, group operators, column types, and
// how many values each operator takes. Names shown to the user go through the stock texts.

#include <QString>
#include <QtGlobal>
#include <vector>

namespace pensilio::grid {

enum class FilterOperator : quint8
{
    Equal,
    NotEqual,
    Less,
    LessOrEqual,
    Greater,
    GreaterOrEqual,
    Like,
    NotLike,
    Between,
    NotBetween,
    InList,
    NotInList,
    Yesterday,
    Today,
    Tomorrow,
    LastWeek,
    LastMonth,
    LastYear,
    ThisWeek,
    ThisMonth,
    ThisYear,
    NextWeek,
    NextMonth,
    NextYear,
    Blank,
    NonBlank,
};
constexpr int kFilterOperatorCount = static_cast<int>(FilterOperator::NonBlank) + 1;

enum class FilterGroupOperator : quint8
{
    And,
    Or,
    NotAnd,
    NotOr
};

enum class FilterColumnType : quint8
{
    Text,
    DateTime
};

// What a condition holds besides its column and operator.
enum class FilterArity : quint8
{
    None,
    One,
    Two,
    List
};

FilterArity filterArity(FilterOperator op);
bool isDateOperator(FilterOperator op); // "is yesterday" ... "is next year"
bool operatorAppliesTo(FilterOperator op, FilterColumnType type);

// The operators the dialogs offer, in the order they list them: the custom filter dialog's ten
// (texts), and the filter builder's for a column of the type.
std::vector<FilterOperator> customDialogOperators();
std::vector<FilterOperator> builderOperators(FilterColumnType type);

// The English stock wording, e.g. "is less than or equal to", and the text shown for it.
const char *operatorStockWording(FilterOperator op);
QString operatorName(FilterOperator op);
// "AND", "OR", "NOT AND", "NOT OR" as the filter builder shows them.
const char *groupOperatorStockWording(FilterGroupOperator op);
QString groupOperatorName(FilterGroupOperator op);

} // namespace pensilio::grid

#pragma once
// A filter compiled for evaluating many rows: values are converted, patterns compiled and date
// ranges fixed once, so that testing a row reads byte views and allocates nothing.

#include "platform/core/WallDateTime.h"
#include "platform/grid/FilterCriteria.h"
#include "platform/grid/FilterLikePattern.h"

#include <QByteArray>
#include <optional>
#include <string_view>
#include <vector>

namespace pensilio::grid {

// How the filter reads one row's values; the grid answers from its table. A missing value is
// nullopt, and an empty text is a value. Dates are WallDateTime::raw() values.
class FilterRowSource
{
public:
    virtual ~FilterRowSource() = default;
    virtual std::optional<std::string_view> text(qint64 row, int column) const = 0;
    virtual std::optional<qint64> dateTime(qint64 row, int column) const = 0;
};

// What the date operators ("is today", "is last week", ...) measure from.
struct FilterDateContext
{
    WallDateTime now;                          // null: read the system clock when compiling
    Qt::DayOfWeek firstDayOfWeek = Qt::Monday; // where "this week" starts
};

class FilterMatcher
{
public:
    // An empty or switched-off filter lets every row through. A condition that is not valid for
    // the columns (see FilterCondition::isValid) holds for no row.
    FilterMatcher(const FilterCriteria &criteria, const FilterColumns &columns,
                  const FilterDateContext &dates = {});
    FilterMatcher(const FilterNode &root, const FilterColumns &columns,
                  const FilterDateContext &dates = {});

    bool passesEverything() const { return m_nodes.empty(); }
    bool matches(const FilterRowSource &source, qint64 row) const;

private:
    struct Node
    {
        enum class Kind : quint8
        {
            Group,
            Never,
            Blank,
            Equal,
            Less,
            LessOrEqual,
            Greater,
            GreaterOrEqual,
            Like,
            Between,
            InList
        };
        Kind kind = Kind::Never;
        bool negate = false;
        // Groups: OR instead of AND, children as indexes into m_nodes.
        bool any = false;
        std::vector<int> children;
        // Conditions.
        int column = -1;
        bool dateColumn = false;
        QByteArray low, high; // texts; one value in low
        qint64 lowDate = 0, highDate = 0;
        FilterLikePattern like;
        std::vector<QByteArray> texts; // lists, sorted
        std::vector<qint64> dates;     // lists, sorted
        bool listHasBlank = false;
    };

    void compile(const FilterNode &root, const FilterColumns &columns,
                 const FilterDateContext &dates);
    int compileNode(const FilterNode &node, const FilterColumns &columns, WallDateTime now,
                    Qt::DayOfWeek firstDay);
    Node compileCondition(const FilterCondition &condition, const FilterColumns &columns,
                          WallDateTime now, Qt::DayOfWeek firstDay) const;
    bool evaluate(int index, const FilterRowSource &source, qint64 row) const;
    bool evaluateCondition(const Node &node, const FilterRowSource &source, qint64 row) const;

    std::vector<Node> m_nodes; // the root first; empty when every row passes
};

} // namespace pensilio::grid

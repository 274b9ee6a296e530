#include "platform/grid/FilterMatcher.h"

#include "platform/core/Clock.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <cstring>

namespace pensilio::grid {

namespace {
// Windows-1252 code order: plain unsigned bytes, a shorter text before its extensions.
int compareBytes(std::string_view a, std::string_view b)
{
    const size_t common = std::min(a.size(), b.size());
    if (common > 0) {
        if (const int c = std::memcmp(a.data(), b.data(), common))
            return c;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}
std::string_view view(std::string_view bytes)
{
    return bytes;
}

bool bytesLess(const QByteArray &a, const QByteArray &b)
{
    return compareBytes(view(a), view(b)) < 0;
}

qint64 dayStart(const QDate &date)
{
    return WallDateTime::fromQt(date, QTime(0, 0)).raw();
}

// The half-open span [first, last) of a date operator, in days.
std::pair<QDate, QDate> dateOperatorSpan(FilterOperator op, const QDate &today,
                                         Qt::DayOfWeek firstDay)
{
    const int intoWeek = (today.dayOfWeek() - static_cast<int>(firstDay) + 7) % 7;
    const QDate week = today.addDays(-intoWeek);
    const QDate month(today.year(), today.month(), 1);
    const QDate year(today.year(), 1, 1);
    switch (op) {
    case FilterOperator::Yesterday:
        return {today.addDays(-1), today};
    case FilterOperator::Today:
        return {today, today.addDays(1)};
    case FilterOperator::Tomorrow:
        return {today.addDays(1), today.addDays(2)};
    case FilterOperator::LastWeek:
        return {week.addDays(-7), week};
    case FilterOperator::ThisWeek:
        return {week, week.addDays(7)};
    case FilterOperator::NextWeek:
        return {week.addDays(7), week.addDays(14)};
    case FilterOperator::LastMonth:
        return {month.addMonths(-1), month};
    case FilterOperator::ThisMonth:
        return {month, month.addMonths(1)};
    case FilterOperator::NextMonth:
        return {month.addMonths(1), month.addMonths(2)};
    case FilterOperator::LastYear:
        return {year.addYears(-1), year};
    case FilterOperator::ThisYear:
        return {year, year.addYears(1)};
    case FilterOperator::NextYear:
        return {year.addYears(1), year.addYears(2)};
    default:
        return {today, today};
    }
}
} // namespace

FilterMatcher::FilterMatcher(const FilterCriteria &criteria, const FilterColumns &columns,
                             const FilterDateContext &dates)
{
    if (criteria.isActive())
        compile(criteria.root(), columns, dates);
}

FilterMatcher::FilterMatcher(const FilterNode &root, const FilterColumns &columns,
                             const FilterDateContext &dates)
{
    compile(root, columns, dates);
}

void FilterMatcher::compile(const FilterNode &root, const FilterColumns &columns,
                            const FilterDateContext &dates)
{
    WallDateTime now = dates.now;
    if (now.isNull())
        now = SystemClock().now();
    if (compileNode(root, columns, now, dates.firstDayOfWeek) < 0)
        m_nodes.clear();
}

// Groups without a condition below them are left out: they neither pass nor stop a row.
int FilterMatcher::compileNode(const FilterNode &node, const FilterColumns &columns,
                               WallDateTime now, Qt::DayOfWeek firstDay)
{
    if (!node.isGroup()) {
        m_nodes.push_back(compileCondition(node.condition(), columns, now, firstDay));
        return static_cast<int>(m_nodes.size()) - 1;
    }
    if (!node.hasConditions())
        return -1;
    const int index = static_cast<int>(m_nodes.size());
    m_nodes.emplace_back();
    std::vector<int> children;
    for (const FilterNode &child : node.children()) {
        const int compiled = compileNode(child, columns, now, firstDay);
        if (compiled >= 0)
            children.push_back(compiled);
    }
    Node &group = m_nodes[static_cast<size_t>(index)];
    group.kind = Node::Kind::Group;
    const FilterGroupOperator op = node.groupOperator();
    group.any = op == FilterGroupOperator::Or || op == FilterGroupOperator::NotOr;
    group.negate = op == FilterGroupOperator::NotAnd || op == FilterGroupOperator::NotOr;
    group.children = std::move(children);
    return index;
}

FilterMatcher::Node FilterMatcher::compileCondition(const FilterCondition &condition,
                                                    const FilterColumns &columns, WallDateTime now,
                                                    Qt::DayOfWeek firstDay) const
{
    using K = Node::Kind;
    Node node;
    node.column = condition.column;
    // Each negated operator is the exact complement of its positive one, also for rows
    // without a value.
    switch (condition.op) {
    case FilterOperator::NotEqual:
    case FilterOperator::NotLike:
    case FilterOperator::NotBetween:
    case FilterOperator::NotInList:
    case FilterOperator::NonBlank:
        node.negate = true;
        break;
    default:
        break;
    }
    if (!condition.isValid(columns)) {
        node.negate = false; // holds for no row, whichever way the operator is put
        return node;
    }
    node.dateColumn = columns.byId(condition.column)->type == FilterColumnType::DateTime;

    const auto setValue = [&](const FilterValue &value, QByteArray &text, qint64 &date) {
        if (node.dateColumn)
            date = value.dateTimeValue().raw();
        else
            text = value.textBytes();
    };
    const auto &values = condition.values;
    switch (condition.op) {
    case FilterOperator::Blank:
    case FilterOperator::NonBlank:
        node.kind = K::Blank;
        break;
    case FilterOperator::Equal:
    case FilterOperator::NotEqual:
        // Equal to the missing value asks whether the row has none.
        node.kind = values[0].isNull() ? K::Blank : K::Equal;
        setValue(values[0], node.low, node.lowDate);
        break;
    case FilterOperator::Less:
    case FilterOperator::LessOrEqual:
    case FilterOperator::Greater:
    case FilterOperator::GreaterOrEqual:
        if (values[0].isNull())
            break; // nothing is ordered against a missing value
        node.kind = condition.op == FilterOperator::Less          ? K::Less
                    : condition.op == FilterOperator::LessOrEqual ? K::LessOrEqual
                    : condition.op == FilterOperator::Greater     ? K::Greater
                                                                  : K::GreaterOrEqual;
        setValue(values[0], node.low, node.lowDate);
        break;
    case FilterOperator::Like:
    case FilterOperator::NotLike:
        if (values[0].isNull())
            break;
        node.kind = K::Like;
        node.like = FilterLikePattern(view(values[0].textBytes()));
        break;
    case FilterOperator::Between:
    case FilterOperator::NotBetween: {
        if (values[0].isNull() || values[1].isNull())
            break;
        node.kind = K::Between;
        setValue(values[0], node.low, node.lowDate);
        setValue(values[1], node.high, node.highDate);
        // Bounds typed the wrong way round still mean the range between them.
        if (node.dateColumn ? node.lowDate > node.highDate : bytesLess(node.high, node.low)) {
            std::swap(node.low, node.high);
            std::swap(node.lowDate, node.highDate);
        }
        break;
    }
    case FilterOperator::InList:
    case FilterOperator::NotInList:
        node.kind = K::InList;
        for (const FilterValue &value : values) {
            if (value.isNull())
                node.listHasBlank = true;
            else if (node.dateColumn)
                node.dates.push_back(value.dateTimeValue().raw());
            else
                node.texts.push_back(value.textBytes());
        }
        std::sort(node.dates.begin(), node.dates.end());
        std::sort(node.texts.begin(), node.texts.end(), bytesLess);
        break;
    default: {
        const auto [first, last] = dateOperatorSpan(condition.op, now.date(), firstDay);
        node.kind = K::Between;
        node.lowDate = dayStart(first);
        node.highDate = dayStart(last) - 1;
        break;
    }
    }
    return node;
}

bool FilterMatcher::matches(const FilterRowSource &source, qint64 row) const
{
    return m_nodes.empty() || evaluate(0, source, row);
}

bool FilterMatcher::evaluate(int index, const FilterRowSource &source, qint64 row) const
{
    const Node &node = m_nodes[static_cast<size_t>(index)];
    if (node.kind != Node::Kind::Group)
        return evaluateCondition(node, source, row) != node.negate;
    bool result = !node.any;
    for (const int child : node.children) {
        if (evaluate(child, source, row) == node.any) {
            result = node.any;
            break;
        }
    }
    return result != node.negate;
}

bool FilterMatcher::evaluateCondition(const Node &node, const FilterRowSource &source,
                                      qint64 row) const
{
    using K = Node::Kind;
    if (node.kind == K::Never)
        return false;
    int order = 0; // the row's value against the condition's first value
    if (node.dateColumn) {
        const std::optional<qint64> value = source.dateTime(row, node.column);
        if (!value)
            return node.kind == K::Blank || (node.kind == K::InList && node.listHasBlank);
        switch (node.kind) {
        case K::Blank:
            return false;
        case K::Between:
            return *value >= node.lowDate && *value <= node.highDate;
        case K::InList:
            return std::binary_search(node.dates.begin(), node.dates.end(), *value);
        default:
            order = *value < node.lowDate ? -1 : (*value > node.lowDate ? 1 : 0);
            break;
        }
    } else {
        const std::optional<std::string_view> value = source.text(row, node.column);
        if (!value)
            return node.kind == K::Blank || (node.kind == K::InList && node.listHasBlank);
        switch (node.kind) {
        case K::Blank:
            return false;
        case K::Like:
            return node.like.matches(*value);
        case K::Between:
            return compareBytes(*value, view(node.low)) >= 0 &&
                   compareBytes(*value, view(node.high)) <= 0;
        case K::InList:
            return std::binary_search(
                node.texts.begin(), node.texts.end(), *value,
                [](const auto &a, const auto &b) { return compareBytes(view(a), view(b)) < 0; });
        default:
            order = compareBytes(*value, view(node.low));
            break;
        }
    }
    switch (node.kind) {
    case K::Equal:
        return order == 0;
    case K::Less:
        return order < 0;
    case K::LessOrEqual:
        return order <= 0;
    case K::Greater:
        return order > 0;
    case K::GreaterOrEqual:
        return order >= 0;
    default:
        return false;
    }
}

} // namespace pensilio::grid

#include "platform/grid/FilterDescription.h"

#include "platform/core/Cp1252.h"
#include "platform/grid/StockTexts.h"

#include <QStringList>

namespace pensilio::grid {

namespace {
QString stock(const char *wording)
{
    return stockText(QString::fromLatin1(wording));
}

QString valueText(const FilterValue &value, const DateTimeFormatter *dates)
{
    if (value.isText())
        return QLatin1Char('\'') + value.displayText() + QLatin1Char('\'');
    return value.displayText(dates);
}

// A "like" pattern of two or more bytes that opens or closes with "%" reads as "begins with",
// "ends with" or "contains" the rest of it.
bool describePattern(const FilterCondition &condition, QString &name, QString &value)
{
    if (condition.op != FilterOperator::Like && condition.op != FilterOperator::NotLike)
        return false;
    const FilterValue &pattern = condition.values.front();
    const QByteArray &bytes = pattern.textBytes();
    if (!pattern.isText() || bytes.size() < 2)
        return false;
    const bool opens = bytes.startsWith('%');
    const bool closes = bytes.endsWith('%');
    if (!opens && !closes)
        return false;
    const bool negated = condition.op == FilterOperator::NotLike;
    if (opens && closes)
        name = stock(negated ? "does not contain" : "contains");
    else if (closes)
        name = stock(negated ? "does not begin with" : "begins with");
    else
        name = stock(negated ? "does not end with" : "ends with");
    const qsizetype from = opens ? 1 : 0;
    const qsizetype length = bytes.size() - from - (closes ? 1 : 0);
    value = QLatin1Char('\'') + cp1252::toUnicode(bytes.mid(from, length)) + QLatin1Char('\'');
    return true;
}

QString describeNode(const FilterNode &node, const FilterColumns &columns,
                     const DateTimeFormatter *dates, bool nested)
{
    if (!node.isGroup())
        return describeCondition(node.condition(), columns, dates);
    QStringList parts;
    for (const FilterNode &child : node.children()) {
        if (child.hasConditions())
            parts.append(describeNode(child, columns, dates, true));
    }
    if (parts.isEmpty())
        return {};
    const FilterGroupOperator op = node.groupOperator();
    const bool any = op == FilterGroupOperator::Or || op == FilterGroupOperator::NotOr;
    const bool negated = op == FilterGroupOperator::NotAnd || op == FilterGroupOperator::NotOr;
    QString text = parts.join(QLatin1Char(' ') + stock(any ? "or" : "and") + QLatin1Char(' '));
    if (negated || (nested && parts.size() > 1))
        text = QLatin1Char('(') + text + QLatin1Char(')');
    if (negated)
        text = stock("not") + QLatin1Char(' ') + text;
    return text;
}
} // namespace

QString describeCondition(const FilterCondition &condition, const FilterColumns &columns,
                          const DateTimeFormatter *dates)
{
    const FilterColumn *column = columns.byId(condition.column);
    QString text =
        column ? column->caption : QString(QLatin1Char('#') + QString::number(condition.column));
    QString name = operatorName(condition.op);
    QString value;
    const auto &values = condition.values;
    switch (filterArity(condition.op)) {
    case FilterArity::None:
        break;
    case FilterArity::One:
        if (!values.empty() && !describePattern(condition, name, value))
            value = valueText(values.front(), dates);
        break;
    case FilterArity::Two:
        if (values.size() == 2) {
            value = valueText(values[0], dates) + QLatin1Char(' ') + stock("and") +
                    QLatin1Char(' ') + valueText(values[1], dates);
        }
        break;
    case FilterArity::List: {
        QStringList items;
        for (const FilterValue &item : values)
            items.append(valueText(item, dates));
        value = QLatin1Char('(') + items.join(QStringLiteral(", ")) + QLatin1Char(')');
        break;
    }
    }
    text += QLatin1Char(' ') + name;
    if (!value.isEmpty())
        text += QLatin1Char(' ') + value;
    return text;
}

QString describeFilter(const FilterNode &root, const FilterColumns &columns,
                       const DateTimeFormatter *dates)
{
    return describeNode(root, columns, dates, false);
}

} // namespace pensilio::grid

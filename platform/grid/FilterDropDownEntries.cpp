#include "platform/grid/FilterDropDownEntries.h"

#include "platform/core/Cp1252.h"
#include "platform/grid/FilterDistinctValues.h"
#include "platform/grid/StockTexts.h"
#include "platform/memdata/Table.h"

namespace pensilio::grid {

FilterDropDownEntries FilterDropDownEntries::build(const memdata::Table &table, int field,
                                                   const FilterValueHistory &recent)
{
    using Kind = FilterDropDownEntry::Kind;
    FilterDropDownEntries out;
    auto &entries = out.m_entries;
    for (const FilterValue &value : recent.entries())
        entries.push_back({Kind::RecentValue, value});
    if (!entries.empty())
        entries.push_back({Kind::Separator, {}});
    entries.push_back({Kind::All, {}});
    entries.push_back({Kind::Custom, {}});
    if (field < 0 || field >= table.fieldCount() || !table.isOpen())
        return out;

    if (table.field(field).type == memdata::FieldType::DateTime) {
        const DistinctDates dates = distinctDates(table, field);
        if (dates.hasNull) {
            entries.push_back({Kind::Blanks, {}});
            entries.push_back({Kind::NonBlanks, {}});
        }
        entries.reserve(entries.size() + dates.values.size());
        for (const qint64 raw : dates.values)
            entries.push_back({Kind::Value, FilterValue::dateTime(WallDateTime::fromRaw(raw))});
        out.m_dates = &table.dateTimeFormatter();
        return out;
    }
    const DistinctTexts texts = distinctTexts(table, field);
    if (texts.hasNull) {
        entries.push_back({Kind::Blanks, {}});
        entries.push_back({Kind::NonBlanks, {}});
    }
    entries.reserve(entries.size() + texts.values.size());
    for (const std::string_view text : texts.values) {
        entries.push_back(
            {Kind::Value, FilterValue::text(QByteArray(text.data(), qsizetype(text.size())))});
    }
    return out;
}

QString FilterDropDownEntries::text(int index) const
{
    using Kind = FilterDropDownEntry::Kind;
    const FilterDropDownEntry &entry = at(index);
    switch (entry.kind) {
    case Kind::Separator:
        return {};
    case Kind::All:
        return stockText(QStringLiteral("(All)"));
    case Kind::Custom:
        return stockText(QStringLiteral("(Custom...)"));
    case Kind::Blanks:
        return stockText(QStringLiteral("(Blanks)"));
    case Kind::NonBlanks:
        return stockText(QStringLiteral("(NonBlanks)"));
    case Kind::RecentValue:
    case Kind::Value:
        break;
    }
    if (entry.value.isText())
        return cp1252::toUnicode(entry.value.textBytes());
    return entry.value.displayText(m_dates);
}

int FilterDropDownEntries::indexFor(const FilterNode *columnItem) const
{
    using Kind = FilterDropDownEntry::Kind;
    auto find = [this](Kind kind, const FilterValue *value) {
        for (int i = 0; i < count(); ++i) {
            // A value chosen from the list stands there as well as among the recent ones; the
            // list's own line is the one to show.
            if (at(i).kind == kind && (!value || at(i).value == *value))
                return i;
        }
        return -1;
    };
    int found = -1;
    if (columnItem && !columnItem->isGroup()) {
        const FilterCondition &c = columnItem->condition();
        if (c.op == FilterOperator::Blank)
            found = find(Kind::Blanks, nullptr);
        else if (c.op == FilterOperator::NonBlank)
            found = find(Kind::NonBlanks, nullptr);
        else if (c.op == FilterOperator::Equal && c.values.size() == 1)
            found = find(Kind::Value, &c.values.front());
    }
    return found >= 0 ? found : find(Kind::All, nullptr);
}

} // namespace pensilio::grid

#pragma once
// The summaries a banded view may show in its group footers: default items for every grouping
// level, and summary groups that serve only the levels whose grouping column they link.

#include <QString>
#include <vector>

namespace pensilio::grid {

enum class SummaryKind
{
    Count
};

struct SummaryItem
{
    int column = -1; // the column under which the value shows
    SummaryKind kind = SummaryKind::Count;
    QString format; // '#' an optional digit, '0' a required one; empty: the plain number
};

struct SummaryGroup
{
    std::vector<int> linkedColumns;
    std::vector<SummaryItem> footerItems;
};

struct GridSummaries
{
    std::vector<SummaryItem> defaultGroupFooterItems;
    std::vector<SummaryGroup> groups;

    // The footer items of a level grouped by 'column': those of the first summary group that
    // links the column, otherwise the default ones.
    const std::vector<SummaryItem> &footerItemsFor(int column) const
    {
        for (const SummaryGroup &g : groups) {
            for (int linked : g.linkedColumns) {
                if (linked == column && linked >= 0)
                    return g.footerItems;
            }
        }
        return defaultGroupFooterItems;
    }
};

// A summary value as its format writes it.
inline QString formatSummary(qint64 value, const QString &format)
{
    const qsizetype required = format.count(QLatin1Char('0'));
    return QStringLiteral("%1").arg(value, int(required), 10, QLatin1Char('0'));
}

} // namespace pensilio::grid

#pragma once
// The widget-free model of a banded view over a memdata::Table: its columns, the list of rows it
// shows (in table order, or sorted and filtered as an index of RowIds), and the focused row,
// which is the table's current record both ways. The widget paints this list, the keyboard
// moves over it and an exporter walks it; nothing computes the rows a second time.
// The table must outlive the model, or be taken away first with setTable(nullptr).

#include "platform/grid/GridColumns.h"
#include "platform/grid/GridOptions.h"
#include "platform/grid/GridSummaries.h"
#include "platform/grid/GroupIndex.h"
#include "platform/grid/RowOrder.h"
#include "platform/memdata/Table.h"

#include <QObject>
#include <functional>
#include <vector>

namespace pensilio::grid {

enum class RowKind : quint8
{
    Data,
    Group,
    GroupFooter
};

struct GridRow
{
    RowKind kind = RowKind::Data;
    memdata::RowId row = memdata::kNoRow; // the table row of a data row
    int group = -1;                       // the group of a group row, footer or data row
    int level = 0; // a group row's or footer's grouping level; a data row's number of groups
};

enum class Recursion
{
    ThisLevel,
    AllLevels
};

class GridViewModel : public QObject, public memdata::TableObserver
{
    Q_OBJECT
public:
    // Says whether a table row passes the view's filter.
    using RowFilter = std::function<bool(const memdata::Table &, memdata::RowId)>;

    explicit GridViewModel(QObject *parent = nullptr);
    ~GridViewModel() override;

    void setTable(memdata::Table *table);
    memdata::Table *table() const { return m_table; }

    // Configuration.
    const GridColumnSet &columns() const { return m_columns; }
    void setColumns(GridColumnSet columns);
    void setColumnVisible(int column, bool visible);
    void setColumnWidth(int column, int width);
    const GridViewOptions &options() const { return m_options; }
    void setOptions(const GridViewOptions &options);
    const GridViewStyles &styles() const { return m_styles; }
    void setStyles(GridViewStyles styles);
    const GridSummaries &summaries() const { return m_summaries; }
    void setSummaries(GridSummaries summaries);
    // The field that names a record to the program; rows themselves are identified by the
    // table's RowId, which stays unique when key values repeat.
    void setKeyFieldName(const QString &name) { m_keyFieldName = name; }
    const QString &keyFieldName() const { return m_keyFieldName; }

    // The visible rows.
    int rowCount() const;
    GridRow rowAt(int index) const;
    int indexOfRow(memdata::RowId row) const; // -1 when not shown
    QString cellText(int index, int column) const;
    QByteArray cellBytes(int index, int column) const; // Windows-1252
    // True while the rows are an index of their own rather than the table's order.
    bool isMaterialised() const { return !m_identity; }
    size_t memoryBytes() const;

    // Sorting and filtering; each rebuilds the index once.
    const std::vector<SortKey> &sortKeys() const { return m_sortKeys; }
    void setSortKeys(std::vector<SortKey> keys);
    void setRowFilter(RowFilter filter);
    bool hasRowFilter() const { return bool(m_filter); }

    // Grouping by one column. Groups follow each other in the order of their values (compared
    // as sorting compares them), their rows in the sort list's order, ties in table order; a
    // new group starts collapsed. The grouped column leaves the header row while grouped.
    bool canGroupBy(int column) const;
    bool groupByColumn(int column); // false when the column cannot be grouped
    void ungroup();
    int groupColumn() const { return m_groupColumn; } // -1 when not grouped
    int groupLevelCount() const { return m_groupColumn >= 0 ? 1 : 0; }
    Qt::SortOrder groupOrder() const { return m_groupOrder; }
    void setGroupOrder(Qt::SortOrder order);
    void reverseGroupOrder();
    int groupCount() const { return m_groups.groupCount(); }

    // Group rows by visible index; calls on other rows do nothing.
    bool isGroupExpanded(int index) const;
    void expandGroup(int index, Recursion recursion = Recursion::ThisLevel);
    void collapseGroup(int index, Recursion recursion = Recursion::ThisLevel);
    // Expands (collapses) every group at every level inside one update: one rowsReset, no
    // signal per group. The HTML export expands all groups this way before walking the rows.
    void expandAll();
    void collapseAll();
    // A group row reads the grouping column's caption, " : " and the group's value as shown.
    QString groupRowText(int index) const;
    QByteArray groupValueText(int index) const; // Windows-1252
    // The summary under a column in the footer of the group of a group row or footer row;
    // empty when no summary item of that level sits under the column.
    QString groupFooterText(int index, int column) const;

    // The focused row: -1 when none. Focusing a data row makes it the table's current record.
    int focusedRow() const { return m_focus; }
    void setFocusedRow(int index);

    // Deletes the focused record from the table when the view and the table allow it.
    bool deleteFocused();

    // TableObserver
    void tableReset() override;
    void rowInserted(int position) override;
    void rowRemoved(int position, memdata::RowId row) override;
    void rowChanged(int oldPosition, int newPosition) override;
    void currentChanged(int position) override;
    void stateChanged(memdata::TableState state) override;

Q_SIGNALS:
    void rowsReset();
    void rowsInserted(int first, int count);
    void rowsRemoved(int first, int count);
    void rowChangedAt(int index);
    void focusChanged(int index);
    void columnsChanged();
    void optionsChanged();
    void groupingChanged();

private:
    void rebuild();
    void buildGroups(std::vector<memdata::RowId> &rows);
    bool sameGroup(memdata::RowId a, memdata::RowId b) const;
    // Places a new row of the index, returning the visible rows it adds (first, count).
    std::pair<int, int> placeRow(size_t at, memdata::RowId row);
    std::pair<int, int> unplaceRow(size_t at);
    void removeVisible(std::pair<int, int> gone);
    void focusGroupRow(int group);
    void changeExpansion(int group, bool expanded);
    void setAllExpanded(bool expanded);
    int visibleIndexOfPosition(size_t position) const;
    int groupOfRow(int index) const;
    void syncFocusFromTable();
    void setFocus(int index);
    RowKeyCompare comparator() const;
    bool passes(memdata::RowId row) const;
    // Where a row at this table position belongs in the index (before the first row that
    // sorts after it, ties ordered by table position).
    size_t insertionIndex(memdata::RowId row, int tablePosition) const;
    int findIndex(memdata::RowId row, int hint) const;
    void insertEntry(size_t at, memdata::RowId row);

    memdata::Table *m_table = nullptr;
    GridColumnSet m_columns;
    GridViewOptions m_options;
    GridViewStyles m_styles;
    GridSummaries m_summaries;
    QString m_keyFieldName;

    std::vector<SortKey> m_sortKeys;
    RowFilter m_filter;

    // With no sorting, filtering or grouping the rows are the table's own order and nothing is
    // copied; otherwise each entry is a RowId, ordered by the group value, the sort list and
    // table position. Grouping keeps its groups as runs of this index, so a data row still
    // costs four bytes and the visible list (group rows, data rows, footers) is decoded on
    // demand by rowAt().
    bool m_identity = true;
    std::vector<memdata::RowId> m_rows;
    int m_groupColumn = -1;
    Qt::SortOrder m_groupOrder = Qt::AscendingOrder;
    GroupIndex m_groups;

    int m_focus = -1;
    int m_focusHint = -1; // the index place a row was last put at or focused from
};

} // namespace pensilio::grid

#pragma once
// The widget-free model of a banded view over a memdata::Table: its columns, the list of rows it
// shows (in table order, or sorted and filtered as an index of RowIds), and the focused row,
// which is the table's current record both ways. The widget paints this list, the keyboard
// moves over it and an exporter walks it; nothing computes the rows a second time.
// The table must outlive the model, or be taken away first with setTable(nullptr).

#include "platform/grid/GridColumns.h"
#include "platform/grid/GridOptions.h"
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
    int group = -1;                       // the group of a group row or footer
    int level = 0;                        // nesting depth; 0 when ungrouped
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

private:
    void rebuild();
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
    QString m_keyFieldName;

    std::vector<SortKey> m_sortKeys;
    RowFilter m_filter;

    // With no sorting, filtering or grouping the rows are the table's own order and nothing is
    // copied; otherwise each entry is a RowId. Grouping adds its group rows and footers as
    // negative entries naming a small side list of {kind, group, level}, so a data row still
    // costs four bytes and rowAt() is the one place that decodes them.
    bool m_identity = true;
    std::vector<memdata::RowId> m_rows;

    int m_focus = -1;
    int m_focusHint = -1; // the index a row was last placed at or focused from, to skip a search
};

} // namespace pensilio::grid

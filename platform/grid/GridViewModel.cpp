#include "platform/grid/GridViewModel.h"

#include "platform/core/Cp1252.h"

#include <algorithm>

namespace pensilio::grid {

using memdata::RowId;

GridViewModel::GridViewModel(QObject *parent) : QObject(parent) {}

GridViewModel::~GridViewModel()
{
    if (m_table)
        m_table->removeObserver(this);
}

void GridViewModel::setTable(memdata::Table *table)
{
    if (m_table == table)
        return;
    if (m_table)
        m_table->removeObserver(this);
    m_table = table;
    if (m_table)
        m_table->addObserver(this);
    m_columns.bind(m_table);
    Q_EMIT columnsChanged();
    rebuild();
}

void GridViewModel::setColumns(GridColumnSet columns)
{
    m_columns = std::move(columns);
    m_columns.bind(m_table);
    Q_EMIT columnsChanged();
    if (!m_sortKeys.empty())
        rebuild();
}

void GridViewModel::setColumnVisible(int column, bool visible)
{
    m_columns.setColumnVisible(column, visible);
    Q_EMIT columnsChanged();
}

void GridViewModel::setColumnWidth(int column, int width)
{
    m_columns.setColumnWidth(column, width);
    Q_EMIT columnsChanged();
}

void GridViewModel::setOptions(const GridViewOptions &options)
{
    m_options = options;
    Q_EMIT optionsChanged();
}

void GridViewModel::setStyles(GridViewStyles styles)
{
    m_styles = std::move(styles);
    Q_EMIT optionsChanged();
}

int GridViewModel::rowCount() const
{
    if (!m_table || !m_table->isOpen())
        return 0;
    return m_identity ? m_table->recordCount() : static_cast<int>(m_rows.size());
}

GridRow GridViewModel::rowAt(int index) const
{
    GridRow r;
    r.row = m_identity ? m_table->rowAt(index) : m_rows[static_cast<size_t>(index)];
    return r;
}

int GridViewModel::indexOfRow(RowId row) const
{
    if (!m_table || !m_table->isOpen())
        return -1;
    if (m_identity)
        return m_table->positionOf(row);
    return findIndex(row, m_focusHint);
}

QByteArray GridViewModel::cellBytes(int index, int column) const
{
    const GridRow r = rowAt(index);
    const int field = m_columns.fieldOf(column);
    if (r.kind != RowKind::Data || field < 0)
        return {};
    return m_table->displayText(r.row, field);
}

QString GridViewModel::cellText(int index, int column) const
{
    return cp1252::toUnicode(cellBytes(index, column));
}

size_t GridViewModel::memoryBytes() const
{
    return sizeof(*this) + m_rows.capacity() * sizeof(RowId);
}

void GridViewModel::setSortKeys(std::vector<SortKey> keys)
{
    // A key on a column that is not there or not bound cannot order anything.
    std::erase_if(keys, [this](const SortKey &k) {
        return k.column < 0 || k.column >= m_columns.columnCount() ||
               m_columns.fieldOf(k.column) < 0;
    });
    if (keys == m_sortKeys)
        return;
    m_sortKeys = std::move(keys);
    rebuild();
}

void GridViewModel::setRowFilter(RowFilter filter)
{
    m_filter = std::move(filter);
    rebuild();
}

RowKeyCompare GridViewModel::comparator() const
{
    std::vector<RowKeyCompare::FieldKey> keys;
    for (const SortKey &k : m_sortKeys)
        keys.push_back({m_columns.fieldOf(k.column), k.order == Qt::DescendingOrder});
    return RowKeyCompare(*m_table, std::move(keys));
}

bool GridViewModel::passes(RowId row) const
{
    return !m_filter || m_filter(*m_table, row);
}

void GridViewModel::rebuild()
{
    m_identity = m_sortKeys.empty() && !m_filter;
    m_rows.clear();
    if (m_identity || !m_table || !m_table->isOpen()) {
        m_rows.shrink_to_fit();
    } else {
        const std::vector<RowId> &order = m_table->order();
        if (m_filter) {
            for (RowId row : order) {
                if (passes(row))
                    m_rows.push_back(row);
            }
        } else {
            m_rows = order;
        }
        sortRows(m_rows, comparator());
    }
    m_focus = -1;
    m_focusHint = -1;
    Q_EMIT rowsReset();
    syncFocusFromTable();
}

size_t GridViewModel::insertionIndex(RowId row, int tablePosition) const
{
    const RowKeyCompare compare = comparator();
    const auto it = std::partition_point(
        m_rows.begin(), m_rows.end(), [&compare, this, row, tablePosition](RowId e) {
            // A removed row has no table position any more, but it is where the search ends.
            if (e == row)
                return false;
            const int c = compare.compare(e, row);
            return c < 0 || (c == 0 && m_table->positionOf(e) < tablePosition);
        });
    return static_cast<size_t>(it - m_rows.begin());
}

int GridViewModel::findIndex(RowId row, int hint) const
{
    if (hint >= 0 && static_cast<size_t>(hint) < m_rows.size() && m_rows[size_t(hint)] == row)
        return hint;
    const int position = m_table->positionOf(row);
    if (position < 0 || !passes(row))
        return -1;
    const size_t i = insertionIndex(row, position);
    if (i < m_rows.size() && m_rows[i] == row)
        return static_cast<int>(i);
    const auto it = std::find(m_rows.begin(), m_rows.end(), row);
    return it == m_rows.end() ? -1 : static_cast<int>(it - m_rows.begin());
}

void GridViewModel::tableReset()
{
    rebuild();
}

void GridViewModel::insertEntry(size_t at, RowId row)
{
    // Grow by an eighth, not by doubling, so a million rows never carry a million spare slots.
    if (m_rows.size() == m_rows.capacity())
        m_rows.reserve(m_rows.size() + m_rows.size() / 8 + 64);
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at), row);
}

void GridViewModel::rowInserted(int position)
{
    int index = position;
    if (!m_identity) {
        const RowId row = m_table->rowAt(position);
        if (!passes(row))
            return;
        const size_t at = insertionIndex(row, position);
        insertEntry(at, row);
        index = static_cast<int>(at);
    }
    if (m_focus >= index)
        ++m_focus;
    m_focusHint = index;
    Q_EMIT rowsInserted(index, 1);
}

void GridViewModel::rowRemoved(int position, RowId row)
{
    int index = position;
    if (!m_identity) {
        // The removed row no longer has a table position; it sat where rows at or after its old
        // position now begin, so the same search finds it.
        size_t at = insertionIndex(row, position);
        if (at >= m_rows.size() || m_rows[at] != row) {
            const auto it = std::find(m_rows.begin(), m_rows.end(), row);
            if (it == m_rows.end())
                return;
            at = static_cast<size_t>(it - m_rows.begin());
        }
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(at));
        index = static_cast<int>(at);
    }
    if (m_focus == index)
        m_focus = -1;
    else if (m_focus > index)
        --m_focus;
    m_focusHint = -1;
    Q_EMIT rowsRemoved(index, 1);
}

void GridViewModel::rowChanged(int oldPosition, int newPosition)
{
    int oldIndex = oldPosition;
    int newIndex = newPosition;
    if (!m_identity) {
        // The row's old values are gone, so its old place is found by its id.
        const RowId row = m_table->rowAt(newPosition);
        const auto it = std::find(m_rows.begin(), m_rows.end(), row);
        oldIndex = -1;
        if (it != m_rows.end()) {
            oldIndex = static_cast<int>(it - m_rows.begin());
            m_rows.erase(it);
        }
        newIndex = -1;
        if (passes(row)) {
            const size_t at = insertionIndex(row, newPosition);
            insertEntry(at, row);
            newIndex = static_cast<int>(at);
        }
    }
    m_focusHint = newIndex;
    if (oldIndex >= 0 && oldIndex == newIndex) {
        Q_EMIT rowChangedAt(newIndex);
        return;
    }
    if (oldIndex >= 0) {
        if (m_focus == oldIndex)
            m_focus = -1;
        else if (m_focus > oldIndex)
            --m_focus;
        Q_EMIT rowsRemoved(oldIndex, 1);
    }
    if (newIndex >= 0) {
        if (m_focus >= newIndex)
            ++m_focus;
        Q_EMIT rowsInserted(newIndex, 1);
    }
}

void GridViewModel::currentChanged(int position)
{
    Q_UNUSED(position)
    syncFocusFromTable();
}

void GridViewModel::stateChanged(memdata::TableState state)
{
    // A pending new row is no row of the view, so nothing shown is focused while it lasts; the
    // table names its current row again when the row is posted or dropped.
    if (state == memdata::TableState::Insert)
        setFocus(-1);
}

void GridViewModel::syncFocusFromTable()
{
    int index = -1;
    if (m_table && m_table->isOpen()) {
        const RowId row = m_table->currentRow();
        if (row != memdata::kNoRow)
            index = m_identity ? m_table->currentPosition() : findIndex(row, m_focusHint);
    }
    setFocus(index);
}

void GridViewModel::setFocus(int index)
{
    m_focusHint = index;
    if (index == m_focus)
        return;
    m_focus = index;
    Q_EMIT focusChanged(index);
}

void GridViewModel::setFocusedRow(int index)
{
    if (!m_table || index < 0 || index >= rowCount())
        return;
    const GridRow target = rowAt(index);
    if (target.kind != RowKind::Data) {
        setFocus(index);
        return;
    }
    // Moving ends a pending change first; posting it may shift the rows, so the target is
    // found again by its id afterwards.
    if (m_table->state() != memdata::TableState::Browse)
        m_table->refresh();
    const int position = m_table->positionOf(target.row);
    if (position < 0)
        return;
    m_focusHint = m_identity ? position : findIndex(target.row, index);
    if (position == m_table->currentPosition())
        syncFocusFromTable();
    else
        m_table->setCurrentPosition(position);
}

bool GridViewModel::deleteFocused()
{
    if (!m_options.deleting || !m_table || m_table->state() != memdata::TableState::Browse)
        return false;
    if (m_focus < 0 || m_focus >= rowCount())
        return false;
    const GridRow r = rowAt(m_focus);
    if (r.kind != RowKind::Data || m_table->currentRow() != r.row)
        return false;
    const int index = m_focus;
    m_table->deleteCurrent();
    // The table's next row may be one the view hides; the user expects the next row shown.
    if (m_focus < 0 && rowCount() > 0)
        setFocusedRow(std::min(index, rowCount() - 1));
    return true;
}

} // namespace pensilio::grid

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
    // Moving or sizing a column keeps every binding, and then the rows need no new order.
    bool sameBindings = columns.columnCount() == m_columns.columnCount();
    for (int c = 0; sameBindings && c < columns.columnCount(); ++c)
        sameBindings = columns.column(c).fieldName.compare(m_columns.column(c).fieldName,
                                                           Qt::CaseInsensitive) == 0;
    m_columns = std::move(columns);
    m_columns.bind(m_table);
    const int groupedBefore = m_groupColumn;
    if (m_groupColumn >= 0 && canGroupBy(m_groupColumn))
        m_columns.setColumnGroupIndex(m_groupColumn, 0);
    else
        m_groupColumn = -1;
    Q_EMIT columnsChanged();
    if (groupedBefore != m_groupColumn ||
        (!sameBindings && (!m_sortKeys.empty() || m_groupColumn >= 0 || !m_identity)))
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
    const bool footersChanged = options.groupFooters != m_options.groupFooters;
    m_options = options;
    if (footersChanged) {
        m_groups.setFooterMode(m_options.groupFooters);
        if (m_groupColumn >= 0) {
            m_focus = -1;
            Q_EMIT rowsReset();
            syncFocusFromTable();
        }
    }
    Q_EMIT optionsChanged();
}

void GridViewModel::setSummaries(GridSummaries summaries)
{
    m_summaries = std::move(summaries);
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
    if (m_identity)
        return m_table->recordCount();
    return m_groupColumn >= 0 ? m_groups.visibleCount() : static_cast<int>(m_rows.size());
}

GridRow GridViewModel::rowAt(int index) const
{
    GridRow r;
    if (m_identity) {
        r.row = m_table->rowAt(index);
    } else if (m_groupColumn < 0) {
        r.row = m_rows[static_cast<size_t>(index)];
    } else {
        const GroupIndex::Slot slot = m_groups.slotAt(index);
        r.group = slot.group;
        switch (slot.kind) {
        case GroupIndex::SlotKind::Group:
            r.kind = RowKind::Group;
            break;
        case GroupIndex::SlotKind::Footer:
            r.kind = RowKind::GroupFooter;
            break;
        case GroupIndex::SlotKind::Data:
            r.row = m_rows[slot.position];
            r.level = 1;
            break;
        }
    }
    return r;
}

int GridViewModel::visibleIndexOfPosition(size_t position) const
{
    return m_groupColumn >= 0 ? m_groups.visibleIndexOf(position) : static_cast<int>(position);
}

int GridViewModel::indexOfRow(RowId row) const
{
    if (!m_table || !m_table->isOpen())
        return -1;
    if (m_identity)
        return m_table->positionOf(row);
    const int position = findIndex(row, m_focusHint);
    return position < 0 ? -1 : visibleIndexOfPosition(size_t(position));
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
    return sizeof(*this) + m_rows.capacity() * sizeof(RowId) + m_groups.memoryBytes();
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
    if (m_groupColumn >= 0)
        keys.push_back({m_columns.fieldOf(m_groupColumn), m_groupOrder == Qt::DescendingOrder});
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
    // Groups keep their expanded flags across a new order or filter; they are remembered by a
    // row of each, whose value finds the group again.
    std::vector<RowId> expanded;
    const int focusedGroup = groupOfRow(m_focus);
    const RowId focusedGroupRow =
        focusedGroup >= 0 ? m_rows[m_groups.group(focusedGroup).start] : memdata::kNoRow;
    for (int g = 0; g < m_groups.groupCount(); ++g) {
        if (m_groups.group(g).expanded && m_groups.group(g).start < m_rows.size())
            expanded.push_back(m_rows[m_groups.group(g).start]);
    }
    m_identity = m_sortKeys.empty() && !m_filter && m_groupColumn < 0;
    m_rows.clear();
    m_groups.clear();
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
        std::vector<RowKeyCompare::FieldKey> keys;
        for (const SortKey &k : m_sortKeys)
            keys.push_back({m_columns.fieldOf(k.column), k.order == Qt::DescendingOrder});
        sortRows(m_rows, RowKeyCompare(*m_table, std::move(keys)));
        if (m_groupColumn >= 0) {
            buildGroups(m_rows);
            const RowKeyCompare byGroup(*m_table, {{m_columns.fieldOf(m_groupColumn),
                                                    m_groupOrder == Qt::DescendingOrder}});
            std::vector<GroupEntry> groups;
            for (int g = 0; g < m_groups.groupCount(); ++g)
                groups.push_back(m_groups.group(g));
            for (RowId row : expanded) {
                const auto it =
                    std::partition_point(groups.begin(), groups.end(), [&](const GroupEntry &e) {
                        return byGroup.compare(m_rows[e.start], row) < 0;
                    });
                if (it != groups.end() && byGroup.compare(m_rows[it->start], row) == 0)
                    it->expanded = true;
            }
            m_groups.assign(std::move(groups));
        }
    }
    m_focus = -1;
    m_focusHint = -1;
    // A focused group row stays focused when its group is still there.
    if (focusedGroupRow != memdata::kNoRow && m_groupColumn >= 0) {
        const int position = findIndex(focusedGroupRow, -1);
        if (position >= 0)
            m_focus = m_groups.groupRowIndex(m_groups.groupAt(size_t(position)));
    }
    Q_EMIT rowsReset();
    syncFocusFromTable();
}

void GridViewModel::buildGroups(std::vector<RowId> &rows)
{
    // A stable sort by the group value alone keeps the sort list's order inside each group; a
    // column of few values (subjects) sorts in one counting pass, so this stays near linear.
    const int field = m_columns.fieldOf(m_groupColumn);
    const RowKeyCompare byGroup(*m_table, {{field, m_groupOrder == Qt::DescendingOrder}});
    sortRows(rows, byGroup);
    std::vector<GroupEntry> groups;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i == 0 || byGroup.compare(rows[i - 1], rows[i]) != 0)
            groups.push_back({quint32(i), 0, 0, false});
        ++groups.back().count;
    }
    m_groups.assign(std::move(groups));
}

bool GridViewModel::sameGroup(RowId a, RowId b) const
{
    const RowKeyCompare byGroup(*m_table, {{m_columns.fieldOf(m_groupColumn), false}});
    return byGroup.compare(a, b) == 0;
}

bool GridViewModel::canGroupBy(int column) const
{
    return column >= 0 && column < m_columns.columnCount() &&
           m_columns.column(column).options.grouping && m_columns.fieldOf(column) >= 0;
}

bool GridViewModel::groupByColumn(int column)
{
    if (!canGroupBy(column))
        return false;
    if (column == m_groupColumn)
        return true;
    if (m_groupColumn >= 0)
        m_columns.setColumnGroupIndex(m_groupColumn, -1);
    m_groupColumn = column;
    m_groupOrder = Qt::AscendingOrder;
    m_groups.clear();
    m_columns.setColumnGroupIndex(column, 0);
    Q_EMIT columnsChanged();
    rebuild();
    Q_EMIT groupingChanged();
    return true;
}

void GridViewModel::ungroup()
{
    if (m_groupColumn < 0)
        return;
    m_columns.setColumnGroupIndex(m_groupColumn, -1);
    m_groupColumn = -1;
    m_groups.clear();
    Q_EMIT columnsChanged();
    rebuild();
    Q_EMIT groupingChanged();
}

void GridViewModel::setGroupOrder(Qt::SortOrder order)
{
    if (order == m_groupOrder)
        return;
    m_groupOrder = order;
    if (m_groupColumn >= 0)
        rebuild();
    Q_EMIT groupingChanged();
}

void GridViewModel::reverseGroupOrder()
{
    setGroupOrder(m_groupOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
}

int GridViewModel::groupOfRow(int index) const
{
    if (m_groupColumn < 0 || m_identity || index < 0 || index >= m_groups.visibleCount())
        return -1;
    const GroupIndex::Slot slot = m_groups.slotAt(index);
    return slot.kind == GroupIndex::SlotKind::Group ? slot.group : -1;
}

bool GridViewModel::isGroupExpanded(int index) const
{
    const int g = groupOfRow(index);
    return g >= 0 && m_groups.group(g).expanded;
}

void GridViewModel::expandGroup(int index, Recursion recursion)
{
    // One level of grouping: a group's subgroups are its own rows, so both kinds agree.
    Q_UNUSED(recursion)
    const int g = groupOfRow(index);
    if (g >= 0)
        changeExpansion(g, true);
}

void GridViewModel::collapseGroup(int index, Recursion recursion)
{
    Q_UNUSED(recursion)
    const int g = groupOfRow(index);
    if (g >= 0)
        changeExpansion(g, false);
}

void GridViewModel::changeExpansion(int g, bool expanded)
{
    const GroupEntry &e = m_groups.group(g);
    if (e.expanded == expanded)
        return;
    const int first = int(e.firstVisible) + 1;
    const int before = m_groups.visibleRows(g);
    m_groups.setExpanded(g, expanded);
    const int count = std::abs(m_groups.visibleRows(g) - before);
    if (expanded) {
        if (m_focus >= first)
            m_focus += count;
        if (count > 0)
            Q_EMIT rowsInserted(first, count);
        return;
    }
    // A focus inside the group goes to its group row; the record stays current.
    const bool inside = m_focus >= first && m_focus < first + count;
    if (m_focus >= first + count)
        m_focus -= count;
    if (count > 0)
        Q_EMIT rowsRemoved(first, count);
    if (inside)
        setFocus(first - 1);
}

void GridViewModel::expandAll()
{
    setAllExpanded(true);
}

void GridViewModel::collapseAll()
{
    setAllExpanded(false);
}

void GridViewModel::setAllExpanded(bool expanded)
{
    if (m_groupColumn < 0)
        return;
    const int focusedGroup = groupOfRow(m_focus);
    m_groups.setAllExpanded(expanded);
    m_focus = focusedGroup >= 0 ? m_groups.groupRowIndex(focusedGroup) : -1;
    Q_EMIT rowsReset();
    syncFocusFromTable();
}

QByteArray GridViewModel::groupValueText(int index) const
{
    if (m_groupColumn < 0 || index < 0 || index >= rowCount())
        return {};
    const GroupIndex::Slot slot = m_groups.slotAt(index);
    const RowId row = m_rows[m_groups.group(slot.group).start];
    return m_table->displayText(row, m_columns.fieldOf(m_groupColumn));
}

QString GridViewModel::groupRowText(int index) const
{
    if (groupOfRow(index) < 0)
        return {};
    return m_columns.caption(m_groupColumn) + QStringLiteral(" : ") +
           cp1252::toUnicode(groupValueText(index));
}

QString GridViewModel::groupFooterText(int index, int column) const
{
    if (m_groupColumn < 0 || index < 0 || index >= rowCount())
        return {};
    const GroupIndex::Slot slot = m_groups.slotAt(index);
    for (const SummaryItem &item : m_summaries.footerItemsFor(m_groupColumn)) {
        if (item.column == column && item.kind == SummaryKind::Count)
            return formatSummary(m_groups.group(slot.group).count, item.format);
    }
    return {};
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
    // Without an open table no row is shown: a view being detached at the program's end
    // must not look rows up in a table it no longer has.
    if (!m_table || !m_table->isOpen())
        return -1;
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
    // The rows remembered for the expanded groups may be gone with a reload: groups start
    // collapsed again, as new groups do.
    m_groups.clear();
    rebuild();
}

void GridViewModel::insertEntry(size_t at, RowId row)
{
    // Grow by an eighth, not by doubling, so a million rows never carry a million spare slots.
    if (m_rows.size() == m_rows.capacity())
        m_rows.reserve(m_rows.size() + m_rows.size() / 8 + 64);
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at), row);
}

std::pair<int, int> GridViewModel::placeRow(size_t at, RowId row)
{
    if (m_groupColumn < 0) {
        insertEntry(at, row);
        return {static_cast<int>(at), 1};
    }
    // The row joins the group of a neighbour with its value, or starts a group of its own
    // there; the index is ordered by the group value first, so only the neighbours can match.
    int g = m_groups.groupAt(at);
    if (g < 0 || m_groups.group(g).start != at)
        ++g;
    int target = g;
    bool newGroup = true;
    if (g > 0 && sameGroup(m_rows[at - 1], row)) {
        target = g - 1;
        newGroup = false;
    } else if (g < m_groups.groupCount() && sameGroup(m_rows[at], row)) {
        newGroup = false;
    }
    insertEntry(at, row);
    m_groups.insertRow(at, target, newGroup);
    if (newGroup)
        return {m_groups.groupRowIndex(target), m_groups.visibleRows(target)};
    const int index = m_groups.visibleIndexOf(at);
    return {index, index < 0 ? 0 : 1};
}

std::pair<int, int> GridViewModel::unplaceRow(size_t at)
{
    std::pair<int, int> gone{static_cast<int>(at), 1};
    if (m_groupColumn >= 0) {
        const int g = m_groups.groupAt(at);
        if (m_groups.group(g).count == 1)
            gone = {m_groups.groupRowIndex(g), m_groups.visibleRows(g)};
        else
            gone = {m_groups.visibleIndexOf(at), m_groups.group(g).expanded ? 1 : 0};
        m_groups.removeRow(at);
    }
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(at));
    return gone;
}

void GridViewModel::rowInserted(int position)
{
    std::pair<int, int> added{position, 1};
    if (!m_identity) {
        const RowId row = m_table->rowAt(position);
        if (!passes(row))
            return;
        const size_t at = insertionIndex(row, position);
        added = placeRow(at, row);
        m_focusHint = static_cast<int>(at);
    } else {
        m_focusHint = position;
    }
    if (added.second <= 0)
        return;
    if (m_focus >= added.first)
        m_focus += added.second;
    Q_EMIT rowsInserted(added.first, added.second);
}

void GridViewModel::removeVisible(std::pair<int, int> gone)
{
    if (gone.second <= 0)
        return;
    if (m_focus >= gone.first && m_focus < gone.first + gone.second)
        m_focus = -1;
    else if (m_focus >= gone.first + gone.second)
        m_focus -= gone.second;
    Q_EMIT rowsRemoved(gone.first, gone.second);
}

void GridViewModel::rowRemoved(int position, RowId row)
{
    std::pair<int, int> gone{position, 1};
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
        gone = unplaceRow(at);
    }
    m_focusHint = -1;
    removeVisible(gone);
}

void GridViewModel::rowChanged(int oldPosition, int newPosition)
{
    if (m_identity) {
        m_focusHint = newPosition;
        if (oldPosition == newPosition) {
            Q_EMIT rowChangedAt(newPosition);
            return;
        }
        removeVisible({oldPosition, 1});
        if (m_focus >= newPosition)
            ++m_focus;
        Q_EMIT rowsInserted(newPosition, 1);
        return;
    }
    // The row's old values are gone, so its old place is found by its id.
    const RowId row = m_table->rowAt(newPosition);
    const auto it = std::find(m_rows.begin(), m_rows.end(), row);
    std::pair<int, int> gone{-1, 0};
    std::pair<int, int> added{-1, 0};
    size_t oldAt = m_rows.size();
    size_t newAt = m_rows.size();
    if (it != m_rows.end()) {
        oldAt = static_cast<size_t>(it - m_rows.begin());
        gone = unplaceRow(oldAt);
    }
    if (passes(row)) {
        newAt = insertionIndex(row, newPosition);
        added = placeRow(newAt, row);
    }
    m_focusHint = static_cast<int>(newAt);
    if (gone.second > 0 && gone == added && oldAt == newAt) {
        Q_EMIT rowChangedAt(added.first);
        return;
    }
    removeVisible(gone);
    if (added.second > 0) {
        if (m_focus >= added.first)
            m_focus += added.second;
        Q_EMIT rowsInserted(added.first, added.second);
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
        if (index >= 0 && m_groupColumn >= 0) {
            // A record inside a collapsed group shows as its group row; a focused group row
            // stays focused while the current record lies in its group.
            const size_t position = size_t(index);
            const int g = m_groups.groupAt(position);
            if (m_focus >= 0 && m_focus < rowCount() && groupOfRow(m_focus) == g)
                index = m_focus;
            else if (m_groups.group(g).expanded)
                index = m_groups.visibleIndexOf(position);
            else
                index = m_groups.groupRowIndex(g);
        }
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
    if (target.kind == RowKind::GroupFooter)
        return; // footers hold no record and take no focus
    if (target.kind == RowKind::Group) {
        focusGroupRow(target.group);
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
    if (position != m_table->currentPosition()) {
        m_table->setCurrentPosition(position);
    } else if (m_groupColumn >= 0) {
        // The record is current already, perhaps under its focused group row: focus the row.
        const int shown = indexOfRow(target.row);
        setFocus(shown >= 0 ? shown : m_focus);
    } else {
        syncFocusFromTable();
    }
}

void GridViewModel::focusGroupRow(int g)
{
    // A focused group row makes a record of its group current, its first unless the current
    // one lies in it already, so the commands that act on the current record see the group.
    RowId first = m_rows[m_groups.group(g).start];
    if (m_table->state() != memdata::TableState::Browse) {
        m_table->refresh();
        const int position = findIndex(first, -1);
        if (position < 0)
            return;
        g = m_groups.groupAt(size_t(position));
        first = m_rows[m_groups.group(g).start];
    }
    setFocus(m_groups.groupRowIndex(g));
    const RowId current = m_table->currentRow();
    const int at = current == memdata::kNoRow ? -1 : findIndex(current, -1);
    if (at < 0 || m_groups.groupAt(size_t(at)) != g)
        m_table->setCurrentPosition(m_table->positionOf(first));
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
    if (m_focus < 0 && rowCount() > 0) {
        int next = std::min(index, rowCount() - 1);
        if (rowAt(next).kind == RowKind::GroupFooter)
            --next;
        setFocusedRow(next);
    }
    return true;
}

} // namespace pensilio::grid

#include "platform/grid/GridAccessibleCell.h"

#include "platform/grid/BandedGridView.h"
#include "platform/grid/CellText.h"
#include "platform/grid/GridAccessible.h"
#include "platform/grid/GridViewModel.h"

#include <QWidget>

namespace pensilio::grid {

GridAccessibleCell::GridAccessibleCell(BandedGridView *view, int row, int column)
    : m_view(view), m_row(row), m_column(column)
{}

int GridAccessibleCell::modelColumn() const
{
    if (!m_view || !m_view->model())
        return -1;
    const std::vector<int> &visible = m_view->model()->columns().visibleColumns();
    return m_column >= 0 && m_column < static_cast<int>(visible.size())
               ? visible[static_cast<size_t>(m_column)]
               : -1;
}

bool GridAccessibleCell::isValid() const
{
    return m_view && m_view->model() && modelColumn() >= 0 && m_row >= -1 &&
           m_row < m_view->model()->rowCount();
}

QWindow *GridAccessibleCell::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface *GridAccessibleCell::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view) : nullptr;
}

QString GridAccessibleCell::text(QAccessible::Text type) const
{
    if (!isValid() || (type != QAccessible::Name && type != QAccessible::Value))
        return {};
    const GridViewModel &model = *m_view->model();
    if (m_row < 0)
        return type == QAccessible::Name ? model.columns().caption(modelColumn()) : QString();
    // A group row reads as one text across its width; a footer by its summaries.
    switch (model.rowAt(m_row).kind) {
    case RowKind::Group:
        return model.groupRowText(m_row);
    case RowKind::GroupFooter:
        return model.groupFooterText(m_row, modelColumn());
    case RowKind::Data:
        break;
    }
    return oneLineText(model.cellBytes(m_row, modelColumn()));
}

QRect GridAccessibleCell::rect() const
{
    if (!isValid())
        return {};
    const QRect r =
        m_row < 0 ? m_view->headerRect(modelColumn()) : m_view->cellRect(m_row, modelColumn());
    if (r.isNull())
        return {};
    return QRect(m_view->viewport()->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::Role GridAccessibleCell::role() const
{
    return m_row < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
}

QAccessible::State GridAccessibleCell::state() const
{
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.readOnly = true;
    if (rect().isNull())
        s.offscreen = true;
    if (m_row >= 0) {
        const GridViewModel &model = *m_view->model();
        if (model.rowAt(m_row).kind == RowKind::Group) {
            s.expandable = true;
            s.expanded = model.isGroupExpanded(m_row);
            s.collapsed = !s.expanded;
        }
        s.selectable = true;
        s.focusable = true;
        s.selected = isSelected();
        s.focused = s.selected && m_view->hasFocus() && m_view->focusedColumn() == modelColumn();
    }
    return s;
}

void *GridAccessibleCell::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    return nullptr;
}

QList<QAccessibleInterface *> GridAccessibleCell::columnHeaderCells() const
{
    auto *table = m_view ? static_cast<GridAccessible *>(parent()) : nullptr;
    if (!table || m_row < 0)
        return {};
    return {table->cell(-1, m_column)};
}

bool GridAccessibleCell::isSelected() const
{
    return isValid() && m_row >= 0 && m_view->model()->focusedRow() == m_row;
}

} // namespace pensilio::grid

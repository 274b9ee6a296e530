#include "platform/grid/GridAccessible.h"

#include "platform/grid/BandedGridView.h"
#include "platform/grid/GridAccessibleCell.h"
#include "platform/grid/GridViewModel.h"

namespace pensilio::grid {

namespace {
QAccessibleInterface *gridFactory(const QString &, QObject *object)
{
    if (auto *view = qobject_cast<BandedGridView *>(object))
        return new GridAccessible(view);
    return nullptr;
}

quint64 cellKey(int row, int column)
{
    return (quint64(quint32(row + 1)) << 32) | quint32(column);
}
} // namespace

GridAccessible::GridAccessible(BandedGridView *view) : QAccessibleWidget(view, QAccessible::Table)
{}

GridAccessible::~GridAccessible()
{
    clearCells();
}

void GridAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed)
}

BandedGridView *GridAccessible::view() const
{
    return static_cast<BandedGridView *>(widget());
}

void *GridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int GridAccessible::columnCount() const
{
    const GridViewModel *model = view()->model();
    return model ? static_cast<int>(model->columns().visibleColumns().size()) : 0;
}

int GridAccessible::rowCount() const
{
    const GridViewModel *model = view()->model();
    return model ? model->rowCount() : 0;
}

int GridAccessible::childCount() const
{
    return (rowCount() + 1) * columnCount();
}

QAccessibleInterface *GridAccessible::cell(int row, int column) const
{
    if (column < 0 || column >= columnCount() || row < -1 || row >= rowCount())
        return nullptr;
    const quint64 key = cellKey(row, column);
    const auto it = m_cells.constFind(key);
    if (it != m_cells.constEnd()) {
        if (QAccessibleInterface *known = QAccessible::accessibleInterface(*it))
            return known;
    }
    auto *cell = new GridAccessibleCell(view(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessibleInterface *GridAccessible::child(int index) const
{
    const int columns = columnCount();
    if (columns == 0 || index < 0)
        return nullptr;
    return cell(index / columns - 1, index % columns);
}

int GridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const QAccessibleTableCellInterface *c =
        child ? const_cast<QAccessibleInterface *>(child)->tableCellInterface() : nullptr;
    if (!c || child->parent() != this)
        return -1;
    return (c->rowIndex() + 1) * columnCount() + c->columnIndex();
}

QAccessibleInterface *GridAccessible::childAt(int x, int y) const
{
    const QPoint pos = view()->viewport()->mapFromGlobal(QPoint(x, y));
    const int row = view()->rowAt(pos);
    const int modelColumn = view()->columnAt(pos);
    if (row < 0 || modelColumn < 0)
        return nullptr;
    const std::vector<int> &visible = view()->model()->columns().visibleColumns();
    const auto it = std::find(visible.begin(), visible.end(), modelColumn);
    return cell(row, static_cast<int>(it - visible.begin()));
}

QAccessibleInterface *GridAccessible::focusChild() const
{
    const GridViewModel *model = view()->model();
    if (!model || !view()->hasFocus() || model->focusedRow() < 0)
        return nullptr;
    const std::vector<int> &visible = model->columns().visibleColumns();
    const auto it = std::find(visible.begin(), visible.end(), view()->focusedColumn());
    return cell(model->focusedRow(), it == visible.end() ? 0 : int(it - visible.begin()));
}

QAccessibleInterface *GridAccessible::cellAt(int row, int column) const
{
    return row >= 0 ? cell(row, column) : nullptr;
}

int GridAccessible::selectedCellCount() const
{
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface *> GridAccessible::selectedCells() const
{
    QList<QAccessibleInterface *> out;
    for (int row : selectedRows()) {
        for (int c = 0; c < columnCount(); ++c)
            out << cell(row, c);
    }
    return out;
}

QString GridAccessible::columnDescription(int column) const
{
    const GridViewModel *model = view()->model();
    if (!model || column < 0 || column >= columnCount())
        return {};
    return model->columns().caption(model->columns().visibleColumns()[size_t(column)]);
}

QString GridAccessible::rowDescription(int) const
{
    return {};
}

int GridAccessible::selectedRowCount() const
{
    return int(selectedRows().size());
}

QList<int> GridAccessible::selectedRows() const
{
    const GridViewModel *model = view()->model();
    if (!model || model->focusedRow() < 0)
        return {};
    return {model->focusedRow()};
}

bool GridAccessible::isRowSelected(int row) const
{
    const GridViewModel *model = view()->model();
    return model && row >= 0 && model->focusedRow() == row;
}

bool GridAccessible::selectRow(int row)
{
    GridViewModel *model = view()->model();
    if (!model || row < 0 || row >= model->rowCount())
        return false;
    model->setFocusedRow(row);
    return model->focusedRow() == row;
}

void GridAccessible::modelChange(QAccessibleTableModelChangeEvent *)
{
    // Cells are named by place; after rows or columns move the places mean other cells.
    clearCells();
}

void GridAccessible::clearCells()
{
    for (QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
    m_cells.clear();
}

} // namespace pensilio::grid

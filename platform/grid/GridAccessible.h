#pragma once
// How the banded grid shows itself to assistive technology: a table whose rows are the view's
// rows and whose columns are the visible columns, with the captions as column headers, the
// cells' shown texts, and the focused row as the selected one. Cells are made on demand.

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace pensilio::grid {

class BandedGridView;

class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridAccessible(BandedGridView *view);
    ~GridAccessible() override;

    // Makes the grid widgets answer with this interface; called by the widget itself.
    static void install();

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override { return QAccessible::Table; }
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

    // Row -1 is the header row.
    QAccessibleInterface *cell(int row, int column) const;
    BandedGridView *view() const;

private:
    void clearCells();

    mutable QHash<quint64, QAccessible::Id> m_cells;
};

} // namespace pensilio::grid

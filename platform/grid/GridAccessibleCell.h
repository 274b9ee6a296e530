#pragma once
// One cell of the banded grid for assistive technology: a column header (row -1) or a data
// cell, read from the view's model whenever it is asked, so it never shows stale text.

#include <QAccessible>
#include <QPointer>

namespace pensilio::grid {

class BandedGridView;

class GridAccessibleCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    GridAccessibleCell(BandedGridView *view, int row, int column);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    int columnExtent() const override { return 1; }
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    int columnIndex() const override { return m_column; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int rowIndex() const override { return m_row; }
    bool isSelected() const override;
    QAccessibleInterface *table() const override { return parent(); }

private:
    int modelColumn() const;

    QPointer<BandedGridView> m_view;
    int m_row;
    int m_column; // among the visible columns
};

} // namespace pensilio::grid

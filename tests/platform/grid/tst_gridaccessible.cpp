// The grid as assistive technology sees it: a table of the memos with captions as headers.

#include "support_gridmemos.h"

#include "platform/grid/BandedGridView.h"

#include <QAccessible>
#include <QTest>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;
using pensilio::testing::memoColumns;

namespace {
struct Grid
{
    GridMemos memos;
    GridViewModel model;
    BandedGridView view;
    QAccessibleInterface *iface = nullptr;
    QAccessibleTableInterface *table = nullptr;

    Grid()
    {
        memos.add(10, "first", "a\r\nb");
        memos.add(11, "second");
        memos.add(12, "third");
        model.setColumns(memoColumns());
        model.setTable(&memos.table);
        view.setModel(&model);
        view.resize(600, 300);
        view.show();
        iface = QAccessible::queryAccessibleInterface(&view);
        table = iface ? iface->tableInterface() : nullptr;
    }
};
} // namespace

class tst_GridAccessible : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsAsATableOfCaptionsAndCells();
    void focusedRowIsTheSelectedRowBothWays();
    void groupRowsReadTheirTextAndState();
};

void tst_GridAccessible::readsAsATableOfCaptionsAndCells()
{
    Grid g;
    QVERIFY(g.table);
    QCOMPARE(g.iface->role(), QAccessible::Table);
    QCOMPARE(g.table->rowCount(), 3);
    QCOMPARE(g.table->columnCount(), 3);
    QCOMPARE(g.iface->childCount(), 12); // a header row and three rows of three cells
    QStringList headers;
    for (int c = 0; c < 3; ++c) {
        QCOMPARE(g.table->columnDescription(c), g.iface->child(c)->text(QAccessible::Name));
        QCOMPARE(g.iface->child(c)->role(), QAccessible::ColumnHeader);
        headers << g.table->columnDescription(c);
    }
    QCOMPARE(headers.join(QLatin1Char(',')), QStringLiteral("DataOra,Oggetto,note"));

    QAccessibleInterface *cell = g.table->cellAt(0, 2);
    QVERIFY(cell);
    QCOMPARE(cell->role(), QAccessible::Cell);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("a b"));
    QCOMPARE(g.table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("09/12/2025 11:00:00"));
    QAccessibleTableCellInterface *c = cell->tableCellInterface();
    QCOMPARE(c->rowIndex(), 0);
    QCOMPARE(c->columnIndex(), 2);
    QCOMPARE(c->columnHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("note"));
    QCOMPARE(g.iface->indexOfChild(cell), 5);
    QCOMPARE(g.iface->child(5), cell);
    QVERIFY(!g.table->cellAt(3, 0));
    QVERIFY(!g.table->cellAt(0, 3));
    // A cell on screen can be found by its place.
    const QRect r = g.table->cellAt(2, 1)->rect();
    QVERIFY(!r.isEmpty());
    QCOMPARE(g.iface->childAt(r.center().x(), r.center().y()), g.table->cellAt(2, 1));

    // Cells read the model when asked, so a deleted memo is not read out afterwards.
    g.memos.table.setCurrentPosition(0);
    g.memos.table.deleteCurrent();
    QCOMPARE(g.table->rowCount(), 2);
    QCOMPARE(g.table->cellAt(0, 1)->text(QAccessible::Name), QStringLiteral("second"));
}

void tst_GridAccessible::focusedRowIsTheSelectedRowBothWays()
{
    Grid g;
    QCOMPARE(g.table->selectedRows(), QList<int>{2});
    QVERIFY(g.table->selectRow(0));
    QCOMPARE(g.memos.table.currentPosition(), 0);
    QVERIFY(g.table->cellAt(0, 1)->state().selected);
    QVERIFY(!g.table->cellAt(1, 1)->state().selected);
    g.memos.table.setCurrentPosition(1);
    QCOMPARE(g.table->selectedRows(), QList<int>{1});
    QCOMPARE(g.table->selectedCellCount(), 3);
    QVERIFY(!g.table->selectRow(7));
}

void tst_GridAccessible::groupRowsReadTheirTextAndState()
{
    Grid g;
    GridViewOptions options;
    options.groupFooters = GroupFooterMode::Always;
    g.model.setOptions(options);
    QVERIFY(g.model.groupByColumn(3));
    QVERIFY(g.table);
    QCOMPARE(g.table->columnCount(), 2); // the grouped column left the header row
    QAccessibleInterface *groupRow = g.table->cellAt(0, 0);
    QCOMPARE(groupRow->text(QAccessible::Name), QStringLiteral("Oggetto : first"));
    QVERIFY(groupRow->state().expandable);
    QVERIFY(groupRow->state().collapsed);
    g.model.expandGroup(0);
    QVERIFY(g.table->cellAt(0, 0)->state().expanded);
    QCOMPARE(g.table->cellAt(1, 1)->text(QAccessible::Name), QStringLiteral("a b"));
    QCOMPARE(g.table->cellAt(2, 1)->text(QAccessible::Name), QString()); // the empty footer
}

QTEST_MAIN(tst_GridAccessible)
#include "tst_gridaccessible.moc"

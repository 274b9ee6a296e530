// The filter user interface wired to a grid widget: the subject header's button opens the
// drop-down, a choice filters the rows, marks the header and shows the panel inside the grid.

#include "support_gridmemos.h"

#include "platform/grid/BandedGridView.h"
#include "platform/grid/FilterDropDown.h"
#include "platform/grid/FilterPanel.h"
#include "platform/grid/GridFilterUi.h"

#include <QListView>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;
using pensilio::testing::memoColumns;
using pensilio::testing::rowList;

namespace {
// The memo grid's columns with filtering switched off everywhere but on the subject.
GridColumnSet subjectOnly()
{
    const GridColumnSet all = memoColumns();
    GridColumnSet set;
    for (int b = 0; b < all.bandCount(); ++b)
        set.addBand(all.band(b));
    for (int c = 0; c < all.columnCount(); ++c) {
        GridColumn column = all.column(c);
        column.options.filtering = column.fieldName == u"Oggetto";
        set.addColumn(column);
    }
    return set;
}

struct Screen
{
    GridMemos memos;
    GridViewModel model;
    std::unique_ptr<GridFilterController> filter;
    QWidget window;
    BandedGridView *grid = nullptr;
    std::unique_ptr<GridFilterUi> ui;

    Screen()
    {
        for (const char *s : {"ALFA", "BETA", "ALFA", "GAMMA"})
            memos.add(memos.table.recordCount() + 8, QByteArray(s));
        model.setColumns(subjectOnly());
        model.setTable(&memos.table);
        filter = std::make_unique<GridFilterController>(&model);
        auto *layout = new QVBoxLayout(&window);
        grid = new BandedGridView;
        grid->setModel(&model);
        layout->addWidget(grid);
        ui = std::make_unique<GridFilterUi>(filter.get(), &window);
        ui->attachTo(grid);
        window.resize(900, 400);
        window.show();
    }
    int column(const char *field) const
    {
        return model.columns().findColumn(QString::fromLatin1(field));
    }
    QString rows() const { return rowList(model, memos.oggetto).remove(QLatin1Char('*')); }
};
} // namespace

class tst_GridFilterView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void headerButtonFiltersAndThePanelShowsInTheGrid()
    {
        Screen s;
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QVERIFY(s.grid->filterButtonRect(s.column("DataOra")).isEmpty());
        QVERIFY(s.grid->filterButtonRect(s.column("Note")).isEmpty());
        const QRect button = s.grid->filterButtonRect(s.column("Oggetto"));
        QVERIFY(!button.isEmpty());
        QVERIFY(s.grid->filterPanel() && s.grid->filterPanel()->isHidden());

        QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, button.center());
        auto *dropDown = s.window.findChild<FilterDropDown *>();
        QVERIFY(dropDown);
        QTRY_VERIFY(dropDown->isVisible());
        QListView *list = dropDown->list();
        const QModelIndex beta =
            list->model()
                ->match(list->model()->index(0, 0), Qt::DisplayRole, QStringLiteral("BETA"))
                .value(0);
        QVERIFY(beta.isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(beta).center());

        QCOMPARE(s.rows(), QStringLiteral("BETA"));
        QVERIFY(s.grid->isColumnFiltered(s.column("Oggetto")));
        auto *panel = qobject_cast<FilterPanel *>(s.grid->filterPanel());
        QVERIFY(panel && panel->isVisible());
        QVERIFY(s.grid->rect().contains(panel->geometry()));

        QTest::mouseClick(panel->removeButton(), Qt::LeftButton);
        QCOMPARE(s.rows(), QStringLiteral("ALFA,BETA,ALFA,GAMMA"));
        QVERIFY(!s.grid->isColumnFiltered(s.column("Oggetto")));
        QVERIFY(panel->isHidden());
    }

    void switchedOffFilterLeavesTheHeaderPlain()
    {
        Screen s;
        s.filter->apply(FilterNode::condition(s.column("Oggetto"), FilterOperator::Equal,
                                              {FilterValue::text("ZETA")}));
        // Nothing matches: the grid has no rows and draws its empty text.
        QCOMPARE(s.model.rowCount(), 0);
        QVERIFY(s.grid->isColumnFiltered(s.column("Oggetto")));
        s.filter->setActive(false);
        QCOMPARE(s.model.rowCount(), 4);
        QVERIFY(!s.grid->isColumnFiltered(s.column("Oggetto")));
        QVERIFY(!s.grid->filterPanel()->isHidden());
    }
};

QTEST_MAIN(tst_GridFilterView)
#include "tst_gridfilterview.moc"

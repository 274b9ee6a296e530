// Filtering a grid view through its controller, its column drop-down and its filter panel, read
// back from the view model's rows as the screen would show them.

#include "support_gridmemos.h"

#include "platform/grid/FilterDropDown.h"
#include "platform/grid/FilterPanel.h"
#include "platform/grid/GridFilterController.h"
#include "platform/grid/StockTexts.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;
using pensilio::testing::rowList;

namespace {
// The memo grid's columns with filtering allowed on the subject alone, as the main window has it.
GridColumnSet subjectFilterColumns()
{
    GridColumnSet set;
    set.addBand({});
    int col = 0;
    for (const char *field : {"DataOra", "Oggetto", "Note"}) {
        GridColumn c;
        c.fieldName = QString::fromLatin1(field);
        c.colIndex = col++;
        c.options.filtering = c.fieldName == u"Oggetto";
        set.addColumn(c);
    }
    return set;
}
constexpr int kDataOra = 0, kSubject = 1, kNote = 2;

struct Fixture
{
    GridMemos memos;
    GridViewModel model;
    std::unique_ptr<GridFilterController> filter;

    // "A,B,~" adds memos an hour apart with those subjects; '~' leaves the subject without a
    // value and '_' is the empty text.
    explicit Fixture(const QString &subjects = {})
    {
        int hour = 0;
        for (const QString &s : subjects.split(QLatin1Char(','), Qt::SkipEmptyParts))
            addMemo(++hour, s);
        model.setTable(&memos.table);
        model.setColumns(subjectFilterColumns());
        filter = std::make_unique<GridFilterController>(&model);
    }
    void addMemo(int hour, const QString &subject)
    {
        memos.table.append();
        memos.table.setFieldDateTime(memos.dataOra, GridMemos::at(hour));
        if (subject == u"~")
            memos.table.clearField(memos.oggetto);
        else
            memos.table.setFieldText(memos.oggetto,
                                     subject == u"_" ? QByteArray("") : subject.toLatin1());
        memos.table.post();
    }
    // The shown subjects, focus left out.
    QString rows() const { return rowList(model, memos.oggetto).remove(QLatin1Char('*')); }
    // The drop-down lines joined by '|', the separator as '-'.
    QString entries() const
    {
        const FilterDropDownEntries list = filter->dropDownEntries(kSubject);
        QStringList out;
        for (int i = 0; i < list.count(); ++i) {
            out << (list.at(i).kind == FilterDropDownEntry::Kind::Separator ? QStringLiteral("-")
                                                                            : list.text(i));
        }
        return out.join(QLatin1Char('|'));
    }
    void choose(const QString &line)
    {
        const FilterDropDownEntries list = filter->dropDownEntries(kSubject);
        for (int i = 0; i < list.count(); ++i) {
            if (list.text(i) == line) {
                filter->chooseDropDownEntry(kSubject, list.at(i));
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no drop-down line ") + line));
    }
    QString history() const
    {
        QStringList out;
        for (const FilterNode &root : filter->history().entries())
            out << filter->describe(root);
        return out.join(QLatin1Char('|'));
    }
};

FilterNode subjectIs(const char *value)
{
    return FilterNode::condition(kSubject, FilterOperator::Equal,
                                 {FilterValue::text(QByteArray(value))});
}
} // namespace

class tst_GridFilter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { resetStockTexts(); }

    void onlyFilterableBoundColumnsCanBeFiltered()
    {
        Fixture f(QStringLiteral("A"));
        QVERIFY(f.filter->canFilter(kSubject));
        QVERIFY(!f.filter->canFilter(kDataOra));
        QVERIFY(!f.filter->canFilter(kNote));
        QCOMPARE(int(f.filter->columns().all().size()), 1);
    }

    void tableGivenLaterAndRecentValuesSwitchedOff()
    {
        GridMemos memos;
        memos.add(1, "B");
        memos.add(2, "A");
        GridViewModel model;
        GridColumnSet set = subjectFilterColumns();
        GridColumn subject = set.column(kSubject);
        subject.options.filterMruList = false;
        GridColumnSet withoutRecent;
        withoutRecent.addBand({});
        for (int i = 0; i < set.columnCount(); ++i)
            withoutRecent.addColumn(i == kSubject ? subject : set.column(i));
        model.setColumns(withoutRecent);
        GridFilterController filter(&model);
        QCOMPARE(filter.dropDownEntries(kSubject).count(), 2);
        model.setTable(&memos.table);
        const FilterDropDownEntries entries = filter.dropDownEntries(kSubject);
        QCOMPARE(entries.count(), 4);
        filter.chooseDropDownEntry(kSubject, entries.at(2));
        QCOMPARE(rowList(model, memos.oggetto).remove(QLatin1Char('*')), QStringLiteral("A"));
        QCOMPARE(filter.dropDownEntries(kSubject).text(0), QStringLiteral("(All)"));
    }

    void dropDownEntries_data()
    {
        QTest::addColumn<QString>("subjects");
        QTest::addColumn<QString>("chosenBefore");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty table") << QString() << QString() << "(All)|(Custom...)";
        // Byte order: capitals before small letters before accented letters; each value once.
        QTest::newRow("distinct, ascending") << QStringLiteral(u"b,\u00E0,B,a,B") << QString()
                                             << QStringLiteral(u"(All)|(Custom...)|B|a|b|\u00E0");
        // The empty text is a value: it is listed, and brings no blanks entries.
        QTest::newRow("empty text is a value") << "B,_,A" << QString() << "(All)|(Custom...)||A|B";
        QTest::newRow("a missing subject brings the blanks entries")
            << "B,~,A" << QString() << "(All)|(Custom...)|(Blanks)|(NonBlanks)|A|B";
        // Recently chosen values head the list, most recent first, above a separator.
        QTest::newRow("recent values first") << "A,B,C"
                                             << "A,C"
                                             << "C|A|-|(All)|(Custom...)|A|B|C";
    }
    void dropDownEntries()
    {
        QFETCH(QString, subjects);
        QFETCH(QString, chosenBefore);
        QFETCH(QString, expected);
        Fixture f(subjects);
        for (const QString &value : chosenBefore.split(QLatin1Char(','), Qt::SkipEmptyParts))
            f.choose(value);
        QCOMPARE(f.entries(), expected);
    }

    void dropDownChoicesEditTheFilter()
    {
        Fixture f(QStringLiteral("A,B,~,A"));
        QSignalSpy changed(f.filter.get(), &GridFilterController::filterChanged);

        f.choose(QStringLiteral("A"));
        QCOMPARE(f.rows(), QStringLiteral("A,A"));
        QVERIFY(f.filter->criteria().isActive());
        QVERIFY(f.filter->isColumnFiltered(kSubject));
        QCOMPARE(f.filter->description(), QStringLiteral("Oggetto equals 'A'"));

        // A second choice replaces the first rather than adding to it.
        f.choose(QStringLiteral("B"));
        QCOMPARE(f.rows(), QStringLiteral("B"));
        f.choose(QStringLiteral("(Blanks)"));
        QCOMPARE(f.rows(), QStringLiteral(""));
        f.choose(QStringLiteral("(NonBlanks)"));
        QCOMPARE(f.rows(), QStringLiteral("A,B,A"));
        QCOMPARE(f.history(), QStringLiteral("Oggetto is not blank|Oggetto is blank|"
                                             "Oggetto equals 'B'|Oggetto equals 'A'"));

        // "(All)" empties the filter; it is not remembered, and the filter stays switched on.
        f.choose(QStringLiteral("(All)"));
        QCOMPARE(f.rows(), QStringLiteral("A,B,,A"));
        QVERIFY(f.filter->criteria().isEmpty());
        QVERIFY(f.filter->criteria().isActive());
        QVERIFY(!f.filter->isColumnFiltered(kSubject));
        QCOMPARE(f.filter->description(), QStringLiteral("<Filter is Empty>"));
        QCOMPARE(f.history().count(QLatin1Char('|')), 3);
        QCOMPARE(changed.count(), 5);
        // The table itself keeps every memo.
        QCOMPARE(f.memos.table.recordCount(), 4);
    }

    // An empty subject is a value: only a subject without any value is blank.
    void blanksTellTheMissingValueFromTheEmptyText_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("shown");
        QTest::newRow("(Blanks)") << QStringLiteral("(Blanks)") << 1;
        QTest::newRow("(NonBlanks)") << QStringLiteral("(NonBlanks)") << 2;
        QTest::newRow("the empty text") << QString() << 1;
    }
    void blanksTellTheMissingValueFromTheEmptyText()
    {
        QFETCH(QString, line);
        QFETCH(int, shown);
        Fixture f(QStringLiteral("A,~,_"));
        f.choose(line);
        QCOMPARE(f.model.rowCount(), shown);
    }

    void allKeepsTheFilterOffWhenItWasOff()
    {
        Fixture f(QStringLiteral("A,B"));
        f.choose(QStringLiteral("(All)"));
        QVERIFY(!f.filter->criteria().isActive());
        f.choose(QStringLiteral("A"));
        f.filter->setActive(false);
        QCOMPARE(f.rows(), QStringLiteral("A,B"));
        f.choose(QStringLiteral("(All)"));
        QVERIFY(!f.filter->criteria().isActive());
        // The subject had been chosen: it stays among the recent values.
        QCOMPARE(f.entries(), QStringLiteral("A|-|(All)|(Custom...)|A|B"));
    }

    void historyRemembersEachFilterOnceUpToTen()
    {
        Fixture f(QStringLiteral("A"));
        f.filter->apply(subjectIs("1"));
        f.filter->apply(subjectIs("2"));
        f.filter->apply(subjectIs("1"));
        QCOMPARE(f.history(), QStringLiteral("Oggetto equals '1'|Oggetto equals '2'"));
        f.filter->apply(FilterNode());
        QCOMPARE(f.history().count(QLatin1Char('|')), 1);
        for (char c = 'a'; c <= 'l'; ++c)
            f.filter->apply(subjectIs(QByteArray(1, c).constData()));
        QCOMPARE(int(f.filter->history().entries().size()), 10);
        QCOMPARE(f.filter->describe(f.filter->history().entries().front()),
                 QStringLiteral("Oggetto equals 'l'"));
    }

    void editingTheTableUnderAFilterKeepsIt()
    {
        Fixture f(QStringLiteral("A,B,A"));
        f.choose(QStringLiteral("A"));
        f.addMemo(10, QStringLiteral("B"));
        f.addMemo(11, QStringLiteral("A"));
        QCOMPARE(f.rows(), QStringLiteral("A,A,A"));
        QCOMPARE(f.memos.table.recordCount(), 5);

        // A shown memo edited so that it no longer passes leaves the rows, and comes back.
        f.memos.table.setCurrentPosition(0);
        f.memos.editCurrent(f.memos.oggetto, "C");
        QCOMPARE(f.rows(), QStringLiteral("A,A"));
        f.memos.editCurrent(f.memos.oggetto, "A");
        QCOMPARE(f.rows(), QStringLiteral("A,A,A"));

        f.memos.table.setCurrentPosition(4);
        f.memos.table.deleteCurrent();
        QCOMPARE(f.rows(), QStringLiteral("A,A"));
        QCOMPARE(f.memos.table.recordCount(), 4);
        // Filtering again reads the rows left, with the deleted one's slot among them.
        f.choose(QStringLiteral("B"));
        QCOMPARE(f.rows(), QStringLiteral("B,B"));
    }

    void aFilterMatchingNothingLeavesNoRows()
    {
        Fixture f(QStringLiteral("A,B"));
        f.filter->apply(subjectIs("Z"));
        QCOMPARE(f.model.rowCount(), 0);
        QCOMPARE(f.model.focusedRow(), -1);
        f.filter->setActive(false);
        QCOMPARE(f.model.rowCount(), 2);
    }

    void panelShowsWhileTheFilterIsNotEmpty()
    {
        setStockText(QStringLiteral("<Filter is Empty>"), QStringLiteral("<Nessun filtro>"));
        setStockText(QStringLiteral("Customize..."), QStringLiteral("Filtra..."));
        setStockText(QStringLiteral("equals"), QStringLiteral("e' uguale a"));
        Fixture f(QStringLiteral("A,B,A"));
        QWidget window;
        auto *panel = new FilterPanel(f.filter.get(), &window);
        window.show();
        QVERIFY(!panel->isVisible());
        QCOMPARE(panel->customizeButton()->text(), QStringLiteral("Filtra..."));

        f.choose(QStringLiteral("A"));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->descriptionLabel()->text(), QStringLiteral("Oggetto e' uguale a 'A'"));
        QVERIFY(panel->activeBox()->isChecked());
        // The only remembered filter is the one in force: nothing to offer.
        QVERIFY(panel->historyButton()->isHidden());

        // Switched off, every memo shows and the panel stays with the description.
        QTest::mouseClick(panel->activeBox(), Qt::LeftButton);
        QCOMPARE(f.rows(), QStringLiteral("A,B,A"));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->descriptionLabel()->text(), QStringLiteral("Oggetto e' uguale a 'A'"));
        QTest::mouseClick(panel->activeBox(), Qt::LeftButton);
        QCOMPARE(f.rows(), QStringLiteral("A,A"));

        // With another filter in force, the history offers the earlier one and applies it.
        f.choose(QStringLiteral("B"));
        QVERIFY(!panel->historyButton()->isHidden());
        const QList<QAction *> actions = panel->historyMenu()->actions();
        QCOMPARE(actions.size(), 1);
        QCOMPARE(actions.front()->text(), QStringLiteral("Oggetto e' uguale a 'A'"));
        actions.front()->trigger();
        QCOMPARE(f.rows(), QStringLiteral("A,A"));
        QCOMPARE(panel->historyMenu()->actions().front()->text(),
                 QStringLiteral("Oggetto e' uguale a 'B'"));

        // The remove button takes the whole filter away, and the panel with it.
        QTest::mouseClick(panel->removeButton(), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QVERIFY(f.filter->criteria().isEmpty());
        QCOMPARE(f.rows(), QStringLiteral("A,B,A"));

        // "Customize..." asks for the filter builder.
        QSignalSpy customize(panel, &FilterPanel::customizeRequested);
        f.choose(QStringLiteral("A"));
        QTest::mouseClick(panel->customizeButton(), Qt::LeftButton);
        QCOMPARE(customize.count(), 1);
    }

    void dropDownShowsFifteenLinesAndPicksByKeyboard()
    {
        QString subjects;
        for (int i = 0; i < 20; ++i)
            subjects += QStringLiteral("S%1,").arg(i, 2, 10, QLatin1Char('0'));
        Fixture f(subjects);
        FilterDropDown dropDown;
        dropDown.setEntries(f.filter->dropDownEntries(kSubject), 0);
        dropDown.popup(QRect(100, 100, 120, 20));
        QVERIFY(QTest::qWaitForWindowExposed(&dropDown));
        QCOMPARE(dropDown.visibleLineCount(), FilterDropDown::kVisibleLines);

        QSignalSpy chosen(&dropDown, &FilterDropDown::entryChosen);
        QTest::keyClick(dropDown.list(), Qt::Key_Down);
        QTest::keyClick(dropDown.list(), Qt::Key_Down);
        QTest::keyClick(dropDown.list(), Qt::Key_Return);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.front().front().toInt(), 2);
        QCOMPARE(dropDown.entries().text(2), QStringLiteral("S00"));
    }

    void shortDropDownHasNoEmptyLinesAndSkipsTheSeparator()
    {
        Fixture f(QStringLiteral("A,B"));
        f.choose(QStringLiteral("B"));
        FilterDropDown dropDown;
        const FilterDropDownEntries entries = f.filter->dropDownEntries(kSubject);
        const auto item = f.filter->criteria().columnItem(kSubject);
        const int current = entries.indexFor(&*item);
        QCOMPARE(entries.text(current), QStringLiteral("B"));
        QVERIFY(current > 2); // the list's own line, not the recent value above the separator
        dropDown.setEntries(entries, current);
        dropDown.popup(QRect(100, 100, 120, 20));
        QVERIFY(QTest::qWaitForWindowExposed(&dropDown));
        QCOMPARE(dropDown.visibleLineCount(), entries.count());

        // The separator is drawn but can be neither focused nor chosen.
        QSignalSpy chosen(&dropDown, &FilterDropDown::entryChosen);
        dropDown.list()->setCurrentIndex(dropDown.list()->model()->index(0, 0));
        QTest::keyClick(dropDown.list(), Qt::Key_Down);
        QCOMPARE(dropDown.list()->currentIndex().row(), 2);
        QTest::keyClick(dropDown.list(), Qt::Key_Escape);
        QCOMPARE(chosen.count(), 0);
    }
};

QTEST_MAIN(tst_GridFilter)
#include "tst_gridfilter.moc"

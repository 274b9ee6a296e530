// Grouping in the banded view's model: group rows, footers, expanding, the focus over group
// rows, and the grouped list kept in step with the table.

#include "support_gridmemos.h"

#include "platform/grid/RowCopy.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;

namespace {
constexpr int kDataOra = 1, kOggetto = 3, kNote = 4;

// The memo columns with the grouping switches the main window sets: only the subject groups.
GridColumnSet groupingColumns()
{
    GridColumnSet set = testing::memoColumns();
    GridColumnSet out;
    for (int b = 0; b < set.bandCount(); ++b)
        out.addBand(set.band(b));
    for (int c = 0; c < set.columnCount(); ++c) {
        GridColumn column = set.column(c);
        column.options.grouping = c == kOggetto || c == 0 || c == 2;
        out.addColumn(column);
    }
    return out;
}

struct Grouped
{
    GridMemos memos;
    GridViewModel model;
    Grouped()
    {
        model.setColumns(groupingColumns());
        GridViewOptions options;
        options.groupFooters = GroupFooterMode::Always;
        model.setOptions(options);
    }
    void start()
    {
        model.setTable(&memos.table);
        model.groupByColumn(kOggetto);
    }
    // "[a]+" an expanded group row, "[a]" a collapsed one, then its rows by note (or subject
    // when the note is empty), "_" a footer; '*' marks the focused row.
    QString rows() const { return render(model); }
    static QString render(const GridViewModel &model)
    {
        QStringList out;
        const memdata::Table &t = *model.table();
        for (int i = 0; i < model.rowCount(); ++i) {
            const GridRow r = model.rowAt(i);
            QString s;
            if (r.kind == RowKind::Group) {
                s = QLatin1Char('[') + QString::fromLatin1(model.groupValueText(i)) +
                    QLatin1Char(']') + (model.isGroupExpanded(i) ? QStringLiteral("+") : QString());
            } else if (r.kind == RowKind::GroupFooter) {
                s = QStringLiteral("_");
            } else {
                const int subject = t.findField(u"Oggetto"), note = t.findField(u"note");
                const int field = t.text(r.row, note).view().empty() ? subject : note;
                s = QString::fromLatin1(t.text(r.row, field).toByteArray());
            }
            out << (i == model.focusedRow() ? QLatin1Char('*') + s : s);
        }
        return out.join(QLatin1Char('|'));
    }
};
} // namespace

class tst_Grouping : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void groupRows_data();
    void groupRows();
    void groupRowReadsCaptionAndValue();
    void onlyGroupableColumnsGroup();
    void groupedColumnLeavesTheHeaderRow();
    void expandAndCollapse();
    void focusOverGroupRows();
    void groupedListFollowsTable_data();
    void groupedListFollowsTable();
    void footerSummariesFollowTheLinks();
    void groupingCostsFourBytesARow();
    void detachingTheTableFromAFilteredGroupedView();
};

void tst_Grouping::groupRows_data()
{
    QTest::addColumn<QByteArrayList>("subjects"); // in table (time) order; the note names a memo
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expected");

    // Groups start collapsed, each with its footer; the last memo posted is current, so its
    // group row is focused.
    QTest::newRow("one subject") << QByteArrayList{"x", "x", "x"} << ""
                                 << "*[x]|_";
    // Bytes order: capitals first, then small letters, accents after 'z'.
    QTest::newRow("letter case") << QByteArrayList{"b", "\xe0", "B", "a"} << ""
                                 << "[B]|_|*[a]|_|[b]|_|[à]|_";
    QTest::newRow("empty subject first") << QByteArrayList{"k", "", "k"} << ""
                                         << "[]|_|*[k]|_";
    QTest::newRow("reversed") << QByteArrayList{"b", "a", "c"} << "reverse"
                              << "*[c]|_|[b]|_|[a]|_";
    // Rows inside a group keep the table's order, or the sort list's.
    QTest::newRow("expanded in table order") << QByteArrayList{"b", "a", "b", "a"} << "expand all"
                                             << "*[a]+|a1|a3|_|[b]+|b0|b2|_";
    QTest::newRow("expanded by note descending")
        << QByteArrayList{"b", "a", "b", "a"} << "note- expand all"
        << "*[a]+|a3|a1|_|[b]+|b2|b0|_";
    QTest::newRow("ungrouped") << QByteArrayList{"b", "a"} << "ungroup"
                               << "b0,*a1";
}

void tst_Grouping::groupRows()
{
    QFETCH(QByteArrayList, subjects);
    QFETCH(QString, action);
    QFETCH(QString, expected);

    Grouped g;
    for (int i = 0; i < subjects.size(); ++i)
        g.memos.add(i, subjects[i], subjects[i] + QByteArray::number(i));
    g.start();
    if (action.contains(QLatin1String("note-")))
        g.model.setSortKeys({{kNote, Qt::DescendingOrder}});
    if (action.contains(QLatin1String("expand all")))
        g.model.expandAll();
    if (action == QLatin1String("reverse"))
        g.model.reverseGroupOrder();
    if (action == QLatin1String("ungroup")) {
        g.model.ungroup();
        QCOMPARE(testing::rowList(g.model, g.memos.note), expected);
        return;
    }
    QCOMPARE(g.rows(), expected);
}

void tst_Grouping::groupRowReadsCaptionAndValue()
{
    Grouped g;
    g.memos.add(1, "");
    g.memos.add(2, "Dentista");
    g.start();
    QCOMPARE(g.model.groupRowText(0), QStringLiteral("Oggetto : "));
    QCOMPARE(g.model.groupRowText(2), QStringLiteral("Oggetto : Dentista"));
    QCOMPARE(g.model.groupRowText(1), QString()); // a footer is no group row
    QCOMPARE(g.model.rowAt(1).kind, RowKind::GroupFooter);
    QCOMPARE(g.model.groupCount(), 2);
}

void tst_Grouping::onlyGroupableColumnsGroup()
{
    Grouped g;
    g.memos.add(1, "a");
    g.model.setTable(&g.memos.table);
    QVERIFY(!g.model.groupByColumn(kDataOra));
    QVERIFY(!g.model.groupByColumn(kNote));
    QVERIFY(!g.model.groupByColumn(99));
    QCOMPARE(g.model.groupColumn(), -1);
    QVERIFY(g.model.groupByColumn(kOggetto));
    QCOMPARE(g.model.groupColumn(), kOggetto);
    QCOMPARE(g.model.groupLevelCount(), 1);
}

void tst_Grouping::groupedColumnLeavesTheHeaderRow()
{
    Grouped g;
    g.memos.add(1, "a", "n");
    g.start();
    QVERIFY(g.model.columns().visibleColumns() == std::vector<int>({kDataOra, kNote}));
    g.model.expandAll();
    // The copied row holds the columns shown.
    QCOMPARE(rowsAsText(g.model, {1}),
             QStringLiteral("DataOra\tnote\r\n09/12/2025 01:00:00\tn\r\n"));
    // Moving or sizing columns keeps the grouping and the rows as they are, without a rebuild.
    QSignalSpy resets(&g.model, &GridViewModel::rowsReset);
    GridColumnSet moved = g.model.columns();
    moved.moveColumn(kNote, 0, 0, 0);
    moved.setColumnWidth(kDataOra, 50);
    g.model.setColumns(moved);
    QCOMPARE(resets.count(), 0);
    QVERIFY(g.model.columns().visibleColumns() == std::vector<int>({kNote, kDataOra}));
    QVERIFY(g.model.isGroupExpanded(0));
    g.model.ungroup();
    QVERIFY(g.model.columns().visibleColumns() == std::vector<int>({kNote, kDataOra, kOggetto}));
}

void tst_Grouping::expandAndCollapse()
{
    Grouped g;
    g.memos.add(1, "a", "a1");
    g.memos.add(2, "b", "b2");
    g.memos.add(3, "a", "a3");
    g.start();
    g.model.setFocusedRow(2); // the group row of b
    QCOMPARE(g.rows(), QStringLiteral("[a]|_|*[b]|_"));
    QStringList log;
    connect(&g.model, &GridViewModel::rowsInserted, this,
            [&log](int f, int n) { log << QStringLiteral("ins %1+%2").arg(f).arg(n); });
    connect(&g.model, &GridViewModel::rowsRemoved, this,
            [&log](int f, int n) { log << QStringLiteral("rem %1+%2").arg(f).arg(n); });
    g.model.expandGroup(0);
    QCOMPARE(g.rows(), QStringLiteral("[a]+|a1|a3|_|*[b]|_"));
    g.model.expandGroup(0); // expanded already: nothing happens
    g.model.expandGroup(1); // not a group row
    g.model.collapseGroup(0);
    QCOMPARE(g.rows(), QStringLiteral("[a]|_|*[b]|_"));
    QCOMPARE(log.join(QLatin1Char('|')), QStringLiteral("ins 1+2|rem 1+2"));

    // With footers only under expanded groups, expanding adds the footer too.
    GridViewOptions options = g.model.options();
    options.groupFooters = GroupFooterMode::WhenExpanded;
    g.model.setOptions(options);
    QCOMPARE(g.rows(), QStringLiteral("[a]|*[b]"));
    g.model.expandGroup(1, Recursion::AllLevels);
    QCOMPARE(g.rows(), QStringLiteral("[a]|*[b]+|b2|_"));
    g.model.expandAll();
    QCOMPARE(g.rows(), QStringLiteral("[a]+|a1|a3|_|*[b]+|b2|_"));
    // Expansion and the focused group row survive a new sort order.
    g.model.setSortKeys({{kNote, Qt::DescendingOrder}});
    QCOMPARE(g.rows(), QStringLiteral("[a]+|a3|a1|_|*[b]+|b2|_"));
    g.model.collapseAll();
    QCOMPARE(g.rows(), QStringLiteral("[a]|*[b]"));

    // A closed table leaves no groups behind, and a new one starts collapsed.
    g.model.expandAll();
    g.memos.table.close();
    QCOMPARE(g.model.rowCount(), 0);
    QCOMPARE(g.model.groupCount(), 0);
    g.memos.table.open();
    g.memos.add(5, "c", "c5");
    QCOMPARE(g.rows(), QStringLiteral("*[c]"));
}

void tst_Grouping::focusOverGroupRows()
{
    Grouped g;
    g.memos.add(1, "a", "a1");
    g.memos.add(2, "b", "b2");
    g.memos.add(3, "a", "a3");
    g.memos.add(4, "b", "b4");
    g.start();
    // The current record b4 lies in the collapsed group b: its group row is focused.
    QCOMPARE(g.rows(), QStringLiteral("[a]|_|*[b]|_"));
    // Focusing a group row makes the group's first record current.
    g.model.setFocusedRow(0);
    QCOMPARE(g.rows(), QStringLiteral("*[a]|_|[b]|_"));
    QCOMPARE(g.memos.table.text(g.memos.table.currentRow(), g.memos.note).toByteArray(),
             QByteArray("a1"));
    // Expanding keeps the group row focused; moving down reaches its first record.
    g.model.expandGroup(0);
    QCOMPARE(g.rows(), QStringLiteral("*[a]+|a1|a3|_|[b]|_"));
    g.model.setFocusedRow(1);
    QCOMPARE(g.rows(), QStringLiteral("[a]+|*a1|a3|_|[b]|_"));
    // A footer takes no focus.
    g.model.setFocusedRow(3);
    QCOMPARE(g.model.focusedRow(), 1);
    // The table going to a record of a collapsed group focuses that group's row.
    g.memos.table.setCurrentPosition(3);
    QCOMPARE(g.rows(), QStringLiteral("[a]+|a1|a3|_|*[b]|_"));
    g.memos.table.setCurrentPosition(2);
    QCOMPARE(g.rows(), QStringLiteral("[a]+|a1|*a3|_|[b]|_"));
    // Collapsing the group around the focused record focuses the group row.
    g.model.collapseGroup(0);
    QCOMPARE(g.rows(), QStringLiteral("*[a]|_|[b]|_"));
    QCOMPARE(g.memos.table.currentPosition(), 2);
    // A group row deletes nothing.
    QVERIFY(!g.model.deleteFocused());
    QCOMPARE(g.memos.table.recordCount(), 4);
}

void tst_Grouping::groupedListFollowsTable_data()
{
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expected");

    // Table: b0 (0:00), a1, b2, a3; every group expanded before the action.
    QTest::newRow("insert into a group") << ""
                                         << "insert b"
                                         << "[a]+|a1|a3|_|[b]+|b0|b2|*b9|_";
    QTest::newRow("insert by sort") << "note-"
                                    << "insert b"
                                    << "[a]+|a3|a1|_|[b]+|*b9|b2|b0|_";
    // A new group starts collapsed.
    QTest::newRow("insert new group") << ""
                                      << "insert c"
                                      << "[a]+|a1|a3|_|[b]+|b0|b2|_|*[c]|_";
    QTest::newRow("insert first group") << ""
                                        << "insert A"
                                        << "*[A]|_|[a]+|a1|a3|_|[b]+|b0|b2|_";
    // Deleting b2 focuses the record the table makes current (a3).
    QTest::newRow("delete") << ""
                            << "delete b2"
                            << "[a]+|a1|*a3|_|[b]+|b0|_";
    QTest::newRow("delete last of a group") << ""
                                            << "delete a1,a3"
                                            << "[b]+|b0|*b2|_";
    QTest::newRow("edit moves group") << ""
                                      << "edit a1 b"
                                      << "[a]+|a3|_|[b]+|b0|*a1|b2|_";
    QTest::newRow("edit into new group") << ""
                                         << "edit b0 c"
                                         << "[a]+|a1|a3|_|[b]+|b2|_|*[c]|_";
    QTest::newRow("edit note in place") << "note+"
                                        << "note b0 zz"
                                        << "[a]+|a1|a3|_|[b]+|b2|*zz|_";
}

void tst_Grouping::groupedListFollowsTable()
{
    QFETCH(QString, sort);
    QFETCH(QString, action);
    QFETCH(QString, expected);

    Grouped g;
    g.memos.add(0, "b", "b0");
    g.memos.add(1, "a", "a1");
    g.memos.add(2, "b", "b2");
    g.memos.add(3, "a", "a3");
    g.start();
    if (sort == QLatin1String("note-"))
        g.model.setSortKeys({{kNote, Qt::DescendingOrder}});
    if (sort == QLatin1String("note+"))
        g.model.setSortKeys({{kNote, Qt::AscendingOrder}});
    g.model.expandAll();

    const QStringList words = action.split(QLatin1Char(' '));
    auto goTo = [&g](const QString &note) {
        for (int p = 0; p < g.memos.table.recordCount(); ++p) {
            if (g.memos.table.text(g.memos.table.rowAt(p), g.memos.note).toByteArray() ==
                note.toLatin1())
                g.memos.table.setCurrentPosition(p);
        }
    };
    if (words[0] == QLatin1String("insert")) {
        g.memos.add(9, words[1].toLatin1(), words[1].toLatin1() + "9");
    } else if (words[0] == QLatin1String("delete")) {
        for (const QString &note : words[1].split(QLatin1Char(','))) {
            goTo(note);
            g.memos.table.deleteCurrent();
        }
    } else if (words[0] == QLatin1String("edit")) {
        goTo(words[1]);
        g.memos.editCurrent(g.memos.oggetto, words[2].toLatin1());
    } else if (words[0] == QLatin1String("note")) {
        goTo(words[1]);
        g.memos.editCurrent(g.memos.note, words[2].toLatin1());
    }
    QString shown = g.rows();
    QCOMPARE(shown.remove(QLatin1Char('*')), QString(expected).remove(QLatin1Char('*')));
    if (expected.contains(QLatin1Char('*')))
        QCOMPARE(g.rows(), expected);

    // The incremental list equals one built from scratch with the same groups expanded.
    GridViewModel fresh;
    fresh.setColumns(groupingColumns());
    fresh.setOptions(g.model.options());
    fresh.setTable(&g.memos.table);
    fresh.setSortKeys(g.model.sortKeys());
    fresh.groupByColumn(kOggetto);
    QByteArrayList expanded;
    for (int i = 0; i < g.model.rowCount(); ++i) {
        if (g.model.isGroupExpanded(i))
            expanded << g.model.groupValueText(i);
    }
    for (int i = fresh.rowCount() - 1; i >= 0; --i) {
        if (fresh.rowAt(i).kind == RowKind::Group && expanded.contains(fresh.groupValueText(i)))
            fresh.expandGroup(i);
    }
    QCOMPARE(Grouped::render(fresh).remove(QLatin1Char('*')), g.rows().remove(QLatin1Char('*')));
}

void tst_Grouping::footerSummariesFollowTheLinks()
{
    Grouped g;
    g.memos.add(1, "a");
    g.memos.add(2, "a");
    g.start();
    // The memo grid's own set-up: a count summary group that links no column serves no
    // group, and the default items are empty, so the footer is empty.
    SummaryGroup unlinked;
    unlinked.linkedColumns = std::vector<int>(14, -1);
    unlinked.footerItems = {{kDataOra, SummaryKind::Count, QStringLiteral("#####")}};
    GridSummaries summaries;
    summaries.groups = {unlinked};
    g.model.setSummaries(summaries);
    QCOMPARE(g.model.groupFooterText(1, kDataOra), QString());

    summaries.groups[0].linkedColumns[3] = kOggetto;
    g.model.setSummaries(summaries);
    QCOMPARE(g.model.groupFooterText(1, kDataOra), QStringLiteral("2"));
    QCOMPARE(g.model.groupFooterText(0, kDataOra), QStringLiteral("2")); // by its group row
    QCOMPARE(g.model.groupFooterText(1, kNote), QString());

    summaries.groups.clear();
    summaries.defaultGroupFooterItems = {{kNote, SummaryKind::Count, QStringLiteral("000")}};
    g.model.setSummaries(summaries);
    QCOMPARE(g.model.groupFooterText(1, kNote), QStringLiteral("002"));
}

void tst_Grouping::groupingCostsFourBytesARow()
{
    Grouped g;
    QRandomGenerator rng(5);
    for (int i = 0; i < 2000; ++i)
        g.memos.add(GridMemos::at(0).addMSecs(i * 1000),
                    QByteArray("s") + QByteArray::number(rng.bounded(40)));
    g.model.setTable(&g.memos.table);
    const size_t plain = g.model.memoryBytes();
    g.model.groupByColumn(kOggetto);
    g.model.expandAll();
    QCOMPARE(g.model.groupCount(), 40);
    QCOMPARE(g.model.rowCount(), 2000 + 2 * 40);
    const size_t perRow = (g.model.memoryBytes() - plain - 40 * sizeof(GroupEntry)) / 2000;
    QVERIFY2(perRow <= 5, qPrintable(QString::number(perRow)));
}

// At the program's end the window detaches the view from the table while the view is grouped,
// focused and filtered; that must leave an empty view, not look rows up in a missing table.
void tst_Grouping::detachingTheTableFromAFilteredGroupedView()
{
    Grouped g;
    g.memos.add(9, "a");
    g.memos.add(10, "b");
    g.start();
    g.model.expandAll();
    QVERIFY(g.model.focusedRow() >= 0);
    g.model.setRowFilter([](const memdata::Table &, memdata::RowId) { return true; });
    g.model.setTable(nullptr);
    QCOMPARE(g.model.rowCount(), 0);
    QCOMPARE(g.model.focusedRow(), -1);
}

QTEST_MAIN(tst_Grouping)
#include "tst_grouping.moc"

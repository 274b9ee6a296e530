// The banded view's row list and focus, driven through the table as the program drives it.

#include "support_gridmemos.h"

#include "platform/grid/RowCopy.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;
using pensilio::testing::memoColumns;
using pensilio::testing::rowList;

namespace {
// "Oggetto+,note-" names the sort list; a leading '!' hides rows with that subject.
void configure(GridViewModel &model, const QString &spec)
{
    std::vector<SortKey> keys;
    for (const QString &part : spec.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (part.startsWith(QLatin1Char('!'))) {
            const QByteArray hidden = part.mid(1).toLatin1();
            const int field = model.table()->findField(u"Oggetto");
            model.setRowFilter([hidden, field](const memdata::Table &t, memdata::RowId row) {
                return t.text(row, field).toByteArray() != hidden;
            });
            continue;
        }
        const int column = model.columns().findColumn(part.chopped(1));
        keys.push_back(
            {column, part.endsWith(QLatin1Char('-')) ? Qt::DescendingOrder : Qt::AscendingOrder});
    }
    model.setSortKeys(keys);
}
} // namespace

class tst_GridViewModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captionsComeFromTheBoundFields();
    void rowListFollowsTable_data();
    void rowListFollowsTable();
    void signalsNameTheViewIndexes();
    void focusFollowsTableBothWays_data();
    void focusFollowsTableBothWays();
    void focusingWhileANewRowIsPendingLandsOnTheChosenMemo();
    void sortOrder_data();
    void sortOrder();
    void sortAgreesWithAPlainStableSort_data();
    void sortAgreesWithAPlainStableSort();
    void plainViewCopiesNoRows();
    void deleteFocused();
    void deleteFocusedSkipsToAVisibleNeighbour();
    void copiedTextHasCaptionLineAndCells();
    void emptyTableHasNoRowsAndNoFocus();
};

void tst_GridViewModel::captionsComeFromTheBoundFields()
{
    GridMemos memos;
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);

    QStringList captions;
    for (int c : model.columns().visibleColumns())
        captions << model.columns().caption(c);
    // RecId and NumScad are hidden; "Note" binds the field "note" and reads as the table spells it.
    QCOMPARE(captions.join(QLatin1Char(',')), QStringLiteral("DataOra,Oggetto,note"));
    QCOMPARE(model.columns().fieldOf(4), memos.note);

    GridColumnSet unbound = memoColumns();
    GridColumn missing;
    missing.fieldName = QStringLiteral("Nothing");
    const int c = unbound.addColumn(missing);
    model.setColumns(unbound);
    QCOMPARE(model.columns().fieldOf(c), -1);
    memos.add(10, "x");
    QCOMPARE(model.cellText(0, c), QString());
}

void tst_GridViewModel::rowListFollowsTable_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("expected");

    // Table order c(10:00, note 2), a(11:00, 1), b(12:00, 2), d(13:00, 1).
    // insert: a new memo e at 11:00, note 1, goes before the stored 11:00 memo a.
    QTest::newRow("plain insert") << ""
                                  << "insert"
                                  << "c,*e,a,b,d";
    QTest::newRow("subject insert") << "Oggetto+"
                                    << "insert"
                                    << "a,b,c,d,*e";
    // Ties on the note keep table order: e now stands before a.
    QTest::newRow("note insert") << "note+"
                                 << "insert"
                                 << "*e,a,d,c,b";
    QTest::newRow("note desc insert") << "note-"
                                      << "insert"
                                      << "c,b,*e,a,d";
    QTest::newRow("filtered insert") << "!b"
                                     << "insert"
                                     << "c,*e,a,d";
    // delete: the view's second row; the table makes the next row current.
    QTest::newRow("plain delete") << ""
                                  << "delete"
                                  << "c,*b,d";
    QTest::newRow("subject delete") << "Oggetto+"
                                    << "delete"
                                    << "a,c,*d";
    QTest::newRow("note delete") << "note+"
                                 << "delete"
                                 << "a,c,*b";
    // The table's next row is hidden, so nothing shown is focused.
    QTest::newRow("filtered delete") << "!b"
                                     << "delete"
                                     << "c,d";
    // move: the view's first row gets 14:00 and goes last in the table.
    QTest::newRow("plain move") << ""
                                << "move"
                                << "a,b,d,*c";
    QTest::newRow("subject move") << "Oggetto+"
                                  << "move"
                                  << "*a,b,c,d";
    // a now follows d in the table, so it follows d among the note-1 ties.
    QTest::newRow("note move") << "note+"
                               << "move"
                               << "d,*a,c,b";
    QTest::newRow("filtered move") << "!b"
                                   << "move"
                                   << "a,d,*c";
    // edit: the view's first row gets the subject z.
    QTest::newRow("plain edit") << ""
                                << "edit"
                                << "*z,a,b,d";
    QTest::newRow("subject edit") << "Oggetto+"
                                  << "edit"
                                  << "b,c,d,*z";
    QTest::newRow("edit into filter") << "!z"
                                      << "edit"
                                      << "a,b,d";
    // reveal: the hidden memo b is edited through the table and comes into view.
    QTest::newRow("edit out of filter") << "!b"
                                        << "reveal"
                                        << "c,a,*e,d";
}

void tst_GridViewModel::rowListFollowsTable()
{
    QFETCH(QString, view);
    QFETCH(QString, action);
    QFETCH(QString, expected);

    GridMemos memos;
    memos.add(10, "c", "2");
    memos.add(11, "a", "1");
    memos.add(12, "b", "2");
    memos.add(13, "d", "1");
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);
    configure(model, view);
    QVERIFY(model.isMaterialised() == !view.isEmpty());

    if (action == QLatin1String("insert")) {
        memos.add(11, "e", "1");
    } else if (action == QLatin1String("delete")) {
        model.setFocusedRow(1);
        memos.table.deleteCurrent();
    } else if (action == QLatin1String("move")) {
        model.setFocusedRow(0);
        memos.moveCurrent(GridMemos::at(14));
    } else if (action == QLatin1String("edit")) {
        model.setFocusedRow(0);
        memos.editCurrent(memos.oggetto, "z");
    } else if (action == QLatin1String("bulk")) {
        memdata::Table::UpdateGuard guard(memos.table);
        memos.add(9, "e", "1");
        memos.add(14, "f", "1");
    } else if (action == QLatin1String("reveal")) {
        memos.table.setCurrentPosition(2);
        memos.editCurrent(memos.oggetto, "e");
    }
    QCOMPARE(rowList(model, memos.oggetto), expected);

    // The incremental list must equal one built from scratch.
    GridViewModel fresh;
    fresh.setColumns(memoColumns());
    fresh.setTable(&memos.table);
    configure(fresh, view);
    QCOMPARE(rowList(fresh, memos.oggetto), expected);
}

void tst_GridViewModel::signalsNameTheViewIndexes()
{
    GridMemos memos;
    memos.add(10, "c");
    memos.add(11, "a");
    memos.add(12, "b");
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);
    configure(model, QStringLiteral("Oggetto+"));
    QStringList log;
    connect(&model, &GridViewModel::rowsInserted, this, [&log](int first, int count) {
        log << QStringLiteral("ins %1+%2").arg(first).arg(count);
    });
    connect(&model, &GridViewModel::rowsRemoved, this, [&log](int first, int count) {
        log << QStringLiteral("rem %1+%2").arg(first).arg(count);
    });
    connect(&model, &GridViewModel::rowChangedAt, this,
            [&log](int index) { log << QStringLiteral("chg %1").arg(index); });
    connect(&model, &GridViewModel::focusChanged, this,
            [&log](int index) { log << QStringLiteral("focus %1").arg(index); });

    // View a,b,c with b focused; "d" lands last, then b's subject changes in place, then b
    // becomes "z" and moves to the end, and finally goes.
    memos.add(13, "d");
    model.setFocusedRow(1);
    memos.editCurrent(memos.note, "note");
    memos.editCurrent(memos.oggetto, "z");
    memos.table.deleteCurrent();
    QCOMPARE(log.join(QLatin1Char('|')),
             QStringLiteral("focus -1|ins 3+1|focus 3|focus 1|chg 1|rem 1+1|ins 3+1|focus 3|"
                            "rem 3+1|focus 2"));
    QCOMPARE(rowList(model, memos.oggetto), QStringLiteral("a,c,*d"));
}

void tst_GridViewModel::focusFollowsTableBothWays_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("focusSecond"); // after focusing the view's second row
    QTest::addColumn<QString>("tableFirst");  // after the table goes to its first row

    QTest::newRow("plain") << ""
                           << "c,*a,b"
                           << "*c,a,b";
    QTest::newRow("sorted") << "Oggetto-"
                            << "c,*b,a"
                            << "*c,b,a";
}

void tst_GridViewModel::focusFollowsTableBothWays()
{
    QFETCH(QString, view);
    QFETCH(QString, focusSecond);
    QFETCH(QString, tableFirst);

    GridMemos memos;
    memos.add(10, "c");
    memos.add(11, "a");
    memos.add(12, "b");
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);
    configure(model, view);
    QSignalSpy focus(&model, &GridViewModel::focusChanged);

    model.setFocusedRow(1);
    QCOMPARE(rowList(model, memos.oggetto), focusSecond);
    QCOMPARE(memos.table.currentRow(), model.rowAt(1).row);
    memos.table.first();
    QCOMPARE(rowList(model, memos.oggetto), tableFirst);
    QCOMPARE(focus.last().at(0).toInt(), 0);

    // Out of range asks nothing of the table.
    model.setFocusedRow(7);
    model.setFocusedRow(-1);
    QCOMPARE(rowList(model, memos.oggetto), tableFirst);
}

void tst_GridViewModel::focusingWhileANewRowIsPendingLandsOnTheChosenMemo()
{
    GridMemos memos;
    memos.add(10, "a");
    memos.add(11, "b");
    memos.add(12, "c");
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);

    memos.table.append();
    memos.table.setFieldDateTime(memos.dataOra, GridMemos::at(9));
    memos.table.setFieldText(memos.oggetto, "new");
    QCOMPARE(model.focusedRow(), -1);
    // Moving posts the new memo first, which lands before "c"; the user chose "c" all the same.
    model.setFocusedRow(2);
    QCOMPARE(rowList(model, memos.oggetto), QStringLiteral("new,a,b,*c"));
}

void tst_GridViewModel::sortOrder_data()
{
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QByteArray>("expected"); // Latin-1 bytes

    // Table order (by time): B, b, "", é, Z, a, B (a second B, note 2), A.
    // Bytes order capitals before small letters, the empty text first, accents after 'z'; the
    // two B's keep table order in both directions.
    QTest::newRow("subject ascending") << "Oggetto+" << QByteArray(",A,B1,B2,Z,a,b,\xe9");
    QTest::newRow("subject descending") << "Oggetto-" << QByteArray("\xe9,b,a,Z,B1,B2,A,");
    QTest::newRow("note then subject") << "note+,Oggetto-" << QByteArray("b,a,Z,B1,A,\xe9,B2,");
    // Dates compare by value; the view then reads as the table does.
    QTest::newRow("date descending") << "DataOra-" << QByteArray("A,B2,a,Z,\xe9,,b,B1");
}

void tst_GridViewModel::sortOrder()
{
    QFETCH(QString, sort);
    QFETCH(QByteArray, expected);

    GridMemos memos;
    memos.add(1, "B", "1");
    memos.add(2, "b", "1");
    memos.add(3, "", "2");
    memos.add(4, "\xe9", "2");
    memos.add(5, "Z", "1");
    memos.add(6, "a", "1");
    memos.add(7, "B", "2");
    memos.add(8, "A", "1");
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);
    configure(model, sort);

    QStringList shown;
    for (int i = 0; i < model.rowCount(); ++i) {
        const memdata::RowId row = model.rowAt(i).row;
        QString s = QString::fromLatin1(memos.table.text(row, memos.oggetto).toByteArray());
        if (s == QLatin1String("B"))
            s += QString::fromLatin1(memos.table.text(row, memos.note).toByteArray());
        shown << s;
    }
    QCOMPARE(shown.join(QLatin1Char(',')), QString::fromLatin1(expected));
}

void tst_GridViewModel::sortAgreesWithAPlainStableSort_data()
{
    QTest::addColumn<QString>("sort");
    QTest::addColumn<int>("count");
    // 400 rows sort by byte prefixes; 3000 rows of the same few values take the counting path.
    for (int count : {400, 3000}) {
        for (const char *sort :
             {"Oggetto+", "Oggetto-", "note+,Oggetto-", "Oggetto+,DataOra-", "DataOra+,note+"})
            QTest::addRow("%s %d", sort, count) << QString::fromLatin1(sort) << count;
    }
}

void tst_GridViewModel::sortAgreesWithAPlainStableSort()
{
    QFETCH(QString, sort);
    QFETCH(int, count);
    // Texts that share long beginnings, end at every length around the seven-byte steps the
    // sort reads them in, repeat, and are sometimes missing or empty.
    GridMemos memos;
    QRandomGenerator rng(11);
    const QByteArray stems[] = {"",
                                "RIUNIONE",
                                "RIUNIONE MEDICO",
                                "RIUNIONE MEDICO ",
                                "riunione",
                                "RIUNIONE MEDICO DENTISTA"};
    auto text = [&] {
        QByteArray t = stems[rng.bounded(6)];
        for (int n = rng.bounded(3); n > 0; --n)
            t += char("AaZ \xe9"[rng.bounded(5)]);
        return t;
    };
    for (int i = 0; i < count; ++i) {
        memos.table.append();
        memos.table.setFieldDateTime(memos.dataOra, GridMemos::at(rng.bounded(24)));
        if (rng.bounded(10))
            memos.table.setFieldText(memos.oggetto, text());
        else
            memos.table.clearField(memos.oggetto);
        memos.table.setFieldText(memos.note, text());
        memos.table.post();
    }
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);
    configure(model, sort);

    std::vector<RowKeyCompare::FieldKey> keys;
    for (const SortKey &k : model.sortKeys())
        keys.push_back({model.columns().fieldOf(k.column), k.order == Qt::DescendingOrder});
    const RowKeyCompare compare(memos.table, keys);
    std::vector<memdata::RowId> expected = memos.table.order();
    std::stable_sort(expected.begin(), expected.end(), std::cref(compare));
    std::vector<memdata::RowId> shown;
    for (int i = 0; i < model.rowCount(); ++i)
        shown.push_back(model.rowAt(i).row);
    QVERIFY(shown == expected);
}

void tst_GridViewModel::plainViewCopiesNoRows()
{
    GridMemos memos;
    for (int h = 0; h < 20; ++h)
        memos.add(h, "x");
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);
    const size_t plain = model.memoryBytes();
    QVERIFY(!model.isMaterialised());

    configure(model, QStringLiteral("Oggetto+"));
    QVERIFY(model.isMaterialised());
    QVERIFY(model.memoryBytes() >= plain + 20 * sizeof(memdata::RowId));

    model.setSortKeys({});
    QVERIFY(!model.isMaterialised());
    QCOMPARE(model.memoryBytes(), plain);
}

void tst_GridViewModel::deleteFocused()
{
    GridMemos memos;
    memos.add(10, "a");
    memos.add(11, "b");
    memos.add(12, "c");
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);

    model.setFocusedRow(1);
    QVERIFY(model.deleteFocused());
    QCOMPARE(rowList(model, memos.oggetto), QStringLiteral("a,*c"));
    QVERIFY(model.deleteFocused());
    QCOMPARE(rowList(model, memos.oggetto), QStringLiteral("*a"));

    // A pending new memo is not the focused one: nothing is deleted or dropped.
    memos.table.append();
    QVERIFY(!model.deleteFocused());
    QCOMPARE(memos.table.state(), memdata::TableState::Insert);
    memos.table.cancel();

    GridViewOptions options;
    options.deleting = false;
    model.setOptions(options);
    QVERIFY(!model.deleteFocused());
    model.setOptions({});
    QVERIFY(model.deleteFocused());
    QCOMPARE(rowList(model, memos.oggetto), QString());
    QVERIFY(!model.deleteFocused()); // an empty table has nothing to delete
}

void tst_GridViewModel::deleteFocusedSkipsToAVisibleNeighbour()
{
    GridMemos memos;
    memos.add(10, "a");
    memos.add(11, "b");
    memos.add(12, "hidden");
    memos.add(13, "d");
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);
    configure(model, QStringLiteral("!hidden"));

    model.setFocusedRow(1);
    QVERIFY(model.deleteFocused());
    // The table's next row is filtered out; the focus goes to the next row shown instead.
    QCOMPARE(rowList(model, memos.oggetto), QStringLiteral("a,*d"));
    QCOMPARE(memos.table.currentRow(), model.rowAt(1).row);
}

void tst_GridViewModel::copiedTextHasCaptionLineAndCells()
{
    GridMemos memos;
    memos.add(GridMemos::at(10, 5), "Dentist", "first line\r\nsecond\tpart");
    memos.add(GridMemos::at(0, 0), "", "");
    GridViewModel model;
    model.setColumns(memoColumns());
    model.setTable(&memos.table);

    QCOMPARE(rowsAsText(model, {1}),
             QStringLiteral("DataOra\tOggetto\tnote\r\n09/12/2025 10:05:00\tDentist\tfirst line "
                            "second part\r\n"));
    // A midnight date shows without a time; empty cells stay as empty fields.
    QCOMPARE(rowsAsText(model, {0}),
             QStringLiteral("DataOra\tOggetto\tnote\r\n09/12/2025\t\t\r\n"));
}

void tst_GridViewModel::emptyTableHasNoRowsAndNoFocus()
{
    GridMemos memos;
    GridViewModel model;
    model.setColumns(memoColumns());
    QCOMPARE(model.rowCount(), 0); // no table yet
    model.setTable(&memos.table);
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.focusedRow(), -1);
    memos.table.close();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.focusedRow(), -1);
}

QTEST_MAIN(tst_GridViewModel)
#include "tst_gridviewmodel.moc"

// Sorting by header clicks: the three gestures build the sort list, and the rows follow it
// with texts in code-page order and dates by time, ties in table order.

#include "support_gridmemos.h"

#include "platform/grid/BandedGridView.h"

#include <QTest>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;

namespace {
constexpr int kDataOra = 1, kOggetto = 3, kNote = 4;
}

class tst_Sorting : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void headerGestures_data();
    void headerGestures();
};

void tst_Sorting::headerGestures_data()
{
    QTest::addColumn<QString>(
        "clicks"); // column letter (D date, O subject, N note), '+' Shift, '^' Ctrl
    QTest::addColumn<QString>("sortList");
    QTest::addColumn<QString>("rows"); // the memos by table position from 1, top to bottom

    // Table (by time): B/x at 1, b/y at 2, ""/x at 3, é/y at 4, B/y at 5, a/x at 6.
    QTest::newRow("none") << ""
                          << ""
                          << "1,2,3,4,5,6";
    QTest::newRow("subject") << "O"
                             << "O+"
                             << "3,1,5,6,2,4";
    QTest::newRow("subject twice") << "O,O"
                                   << "O-"
                                   << "4,2,6,1,5,3";
    QTest::newRow("subject three times") << "O,O,O"
                                         << "O+"
                                         << "3,1,5,6,2,4";
    QTest::newRow("note") << "N"
                          << "N+"
                          << "1,3,6,2,4,5";
    QTest::newRow("note then date") << "N,D"
                                    << "D+"
                                    << "1,2,3,4,5,6";
    QTest::newRow("date descending") << "D,D"
                                     << "D-"
                                     << "6,5,4,3,2,1";
    QTest::newRow("shift adds") << "N,+O"
                                << "N+,O+"
                                << "3,1,6,5,2,4";
    QTest::newRow("shift reverses in place") << "N,+O,+N"
                                             << "N-,O+"
                                             << "5,2,4,3,1,6";
    QTest::newRow("ctrl removes") << "N,+O,^N"
                                  << "O+"
                                  << "3,1,5,6,2,4";
    QTest::newRow("ctrl on an unsorted column") << "O,^D"
                                                << "O+"
                                                << "3,1,5,6,2,4";
    QTest::newRow("ctrl back to table order") << "N,^N"
                                              << ""
                                              << "1,2,3,4,5,6";
}

void tst_Sorting::headerGestures()
{
    QFETCH(QString, clicks);
    QFETCH(QString, sortList);
    QFETCH(QString, rows);

    GridMemos memos;
    const char *subjects[] = {"B", "b", "", "\xe9", "B", "a"};
    const char *notes[] = {"x", "y", "x", "y", "y", "x"};
    for (int i = 0; i < 6; ++i)
        memos.add(i + 1, subjects[i], notes[i]);
    GridViewModel model;
    model.setColumns(testing::memoColumns());
    model.setTable(&memos.table);
    BandedGridView grid;
    grid.setModel(&model);
    grid.resize(800, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    for (const QString &click : clicks.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        Qt::KeyboardModifiers mods;
        if (click.startsWith(QLatin1Char('+')))
            mods = Qt::ShiftModifier;
        if (click.startsWith(QLatin1Char('^')))
            mods = Qt::ControlModifier;
        const QChar c = click.back();
        const int column = c == QLatin1Char('D')   ? kDataOra
                           : c == QLatin1Char('O') ? kOggetto
                                                   : kNote;
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, mods,
                          grid.headerRect(column).center() - QPoint(20, 0));
    }
    QStringList keys;
    for (const SortKey &k : model.sortKeys())
        keys << QLatin1String(k.column == kDataOra   ? "D"
                              : k.column == kOggetto ? "O"
                                                     : "N") +
                    QLatin1String(k.order == Qt::AscendingOrder ? "+" : "-");
    QCOMPARE(keys.join(QLatin1Char(',')), sortList);
    QStringList shown;
    for (int i = 0; i < model.rowCount(); ++i)
        shown << QString::number(memos.table.positionOf(model.rowAt(i).row) + 1);
    QCOMPARE(shown.join(QLatin1Char(',')), rows);
}

QTEST_MAIN(tst_Sorting)
#include "tst_sorting.moc"

// Grouping in the grid widget, driven as a user drives it: dragging a header into the group-by
// box and back out, the box's button, expand buttons, and the keys over group rows.

#include "support_gridmemos.h"

#include "platform/grid/BandedGridView.h"
#include "platform/grid/StockTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QTest>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;

namespace {
constexpr int kDataOra = 1, kOggetto = 3, kNote = 4;

struct Screen
{
    GridMemos memos;
    GridViewModel model;
    BandedGridView grid;

    Screen()
    {
        memos.add(1, "b", "b1");
        memos.add(2, "a", "a2");
        memos.add(3, "b", "b3");
        memos.add(4, "B", "B4");
        GridColumnSet set = testing::memoColumns();
        GridColumnSet columns;
        for (int b = 0; b < set.bandCount(); ++b)
            columns.addBand(set.band(b));
        for (int c = 0; c < set.columnCount(); ++c) {
            GridColumn column = set.column(c);
            column.options.grouping = c == kOggetto;
            column.options.filtering = c == kOggetto;
            columns.addColumn(column);
        }
        model.setColumns(columns);
        GridViewOptions options;
        options.columnAutoWidth = true;
        options.groupFooters = GroupFooterMode::Always;
        model.setOptions(options);
        model.setTable(&memos.table);
        grid.setModel(&model);
        grid.resize(700, 400);
        grid.show();
    }
    QWidget *viewport() { return grid.viewport(); }
    // Group rows as "[value]" ("+" when expanded), data rows by note, footers "_"; '*' focus.
    QString rows() const
    {
        QStringList out;
        for (int i = 0; i < model.rowCount(); ++i) {
            const GridRow r = model.rowAt(i);
            QString s =
                r.kind == RowKind::Group
                    ? QLatin1Char('[') + QString::fromLatin1(model.groupValueText(i)) +
                          QLatin1Char(']') +
                          (model.isGroupExpanded(i) ? QStringLiteral("+") : QString())
                : r.kind == RowKind::GroupFooter
                    ? QStringLiteral("_")
                    : QString::fromLatin1(memos.table.text(r.row, memos.note).toByteArray());
            out << (i == model.focusedRow() ? QLatin1Char('*') + s : s);
        }
        return out.join(QLatin1Char('|'));
    }
    // Presses at 'from', moves past the drag distance to 'to' and releases there.
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {})
    {
        auto send = [this, mods](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent e(type, at, viewport()->mapToGlobal(at), Qt::LeftButton, buttons, mods);
            QApplication::sendEvent(viewport(), &e);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, (from + to) / 2 + QPoint(0, 1), Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    void groupBySubject() { drag(grid.headerRect(kOggetto).center(), QPoint(300, 10)); }
};
} // namespace

class tst_GroupingView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dropRules_data();
    void dropRules();
    void groupButtonReversesAndDragsBack();
    void groupByBoxTextIsTheStockText();
    void expandButtonAndDoubleClick();
    void groupKeys_data();
    void groupKeys();
    void upAndDownCrossGroupRowsAndSkipFooters();
    void groupRowCopiesAndDeletesNothing();
    void groupIndentShiftsTheColumns();
};

void tst_GroupingView::dropRules_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("grouped");
    QTest::newRow("subject groups") << kOggetto << kOggetto;
    QTest::newRow("date does not") << kDataOra << -1;
    QTest::newRow("note does not") << kNote << -1;
}

void tst_GroupingView::dropRules()
{
    QFETCH(int, column);
    QFETCH(int, grouped);
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    const std::vector<SortKey> before = s.model.sortKeys();
    s.drag(s.grid.headerRect(column).center(), QPoint(300, 10));
    QCOMPARE(s.model.groupColumn(), grouped);
    QVERIFY(s.model.sortKeys() == before); // a drag is no click
    if (grouped >= 0) {
        QCOMPARE(s.rows(), QStringLiteral("*[B]|_|[a]|_|[b]|_"));
        QVERIFY(s.grid.headerRect(kOggetto).isNull()); // the column left the header row
        QVERIFY(!s.grid.groupButtonRect().isNull());
    }
}

void tst_GroupingView::groupButtonReversesAndDragsBack()
{
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    s.groupBySubject();
    const QPoint button = s.grid.groupButtonRect().center();
    QTest::mouseClick(s.viewport(), Qt::LeftButton, {}, button);
    QCOMPARE(s.model.groupOrder(), Qt::DescendingOrder);
    QCOMPARE(s.rows(), QStringLiteral("[b]|_|[a]|_|*[B]|_"));
    // Dropped inside the box again, the button stays.
    s.drag(button, button + QPoint(40, 0));
    QCOMPARE(s.model.groupColumn(), kOggetto);
    // Dragged back onto the header row, the grouping goes and the column returns.
    s.drag(button, s.grid.headerRect(kDataOra).center());
    QCOMPARE(s.model.groupColumn(), -1);
    QVERIFY(!s.grid.headerRect(kOggetto).isNull());
    QCOMPARE(s.rows(), QStringLiteral("b1|a2|b3|*B4"));
}

void tst_GroupingView::groupByBoxTextIsTheStockText()
{
    // What the box reads comes from the stock texts when it is drawn: an installed empty text
    // leaves the box without ink.
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    auto inkInBox = [&s] {
        const QImage image = s.viewport()->grab().toImage();
        const QRect box = s.grid.groupByBoxRect();
        const QColor background = image.pixelColor(box.right() - 2, box.top() + 2);
        int ink = 0;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                ink += image.pixelColor(x, y) != background;
        return ink;
    };
    QVERIFY(inkInBox() > 20);
    setStockText(QStringLiteral("Drag a column header here to group by that column"), QString());
    QCOMPARE(inkInBox(), 0);
    resetStockTexts();
}

void tst_GroupingView::expandButtonAndDoubleClick()
{
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    s.groupBySubject();
    QTest::mouseClick(s.viewport(), Qt::LeftButton, {}, s.grid.expandButtonRect(4).center());
    QCOMPARE(s.rows(), QStringLiteral("[B]|_|[a]|_|*[b]+|b1|b3|_"));
    QTest::mouseClick(s.viewport(), Qt::LeftButton, {}, s.grid.expandButtonRect(4).center());
    QCOMPARE(s.rows(), QStringLiteral("[B]|_|[a]|_|*[b]|_"));
    // A click on the row elsewhere only focuses it; a double click opens it.
    const QPoint text = s.grid.rowRect(2).center();
    QTest::mouseClick(s.viewport(), Qt::LeftButton, {}, text);
    QCOMPARE(s.rows(), QStringLiteral("[B]|_|*[a]|_|[b]|_"));
    QTest::mouseDClick(s.viewport(), Qt::LeftButton, {}, text);
    QCOMPARE(s.rows(), QStringLiteral("[B]|_|*[a]+|a2|_|[b]|_"));
}

void tst_GroupingView::groupKeys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("expected");
    // Starting on the collapsed group row of b.
    QTest::newRow("right expands") << "Right"
                                   << "[B]|_|[a]|_|*[b]+|b1|b3|_";
    QTest::newRow("left collapses") << "Right,Left"
                                    << "[B]|_|[a]|_|*[b]|_";
    QTest::newRow("keypad plus and minus") << "K+"
                                           << "[B]|_|[a]|_|*[b]+|b1|b3|_";
    QTest::newRow("keypad minus") << "K+,K-"
                                  << "[B]|_|[a]|_|*[b]|_";
    QTest::newRow("keypad multiply") << "K*"
                                     << "[B]|_|[a]|_|*[b]+|b1|b3|_";
    // The plus of the main keyboard is no expand key.
    QTest::newRow("plain plus") << "+"
                                << "[B]|_|[a]|_|*[b]|_";
    // On a data row Left and Right move the focused cell instead.
    QTest::newRow("right on a data row") << "Right,Down,Right,Left"
                                         << "[B]|_|[a]|_|[b]+|*b1|b3|_";
}

void tst_GroupingView::groupKeys()
{
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    Screen s;
    s.model.groupByColumn(kOggetto);
    s.model.setFocusedRow(4);
    for (const QString &k : keys.split(QLatin1Char(','))) {
        if (k == QLatin1String("K+"))
            QTest::keyClick(&s.grid, Qt::Key_Plus, Qt::KeypadModifier);
        else if (k == QLatin1String("K-"))
            QTest::keyClick(&s.grid, Qt::Key_Minus, Qt::KeypadModifier);
        else if (k == QLatin1String("K*"))
            QTest::keyClick(&s.grid, Qt::Key_Asterisk, Qt::KeypadModifier);
        else
            QTest::keySequence(&s.grid, QKeySequence(k));
    }
    QCOMPARE(s.rows(), expected);
}

void tst_GroupingView::upAndDownCrossGroupRowsAndSkipFooters()
{
    Screen s;
    s.model.groupByColumn(kOggetto);
    s.model.expandAll();
    s.model.setFocusedRow(0);
    QCOMPARE(s.rows(), QStringLiteral("*[B]+|B4|_|[a]+|a2|_|[b]+|b1|b3|_"));
    QTest::keyClick(&s.grid, Qt::Key_Down);
    QTest::keyClick(&s.grid, Qt::Key_Down); // over the footer to the next group row
    QCOMPARE(s.rows(), QStringLiteral("[B]+|B4|_|*[a]+|a2|_|[b]+|b1|b3|_"));
    QTest::keyClick(&s.grid, Qt::Key_Up);
    QCOMPARE(s.rows(), QStringLiteral("[B]+|*B4|_|[a]+|a2|_|[b]+|b1|b3|_"));
    QCOMPARE(s.memos.table.text(s.memos.table.currentRow(), s.memos.note).toByteArray(),
             QByteArray("B4"));
    QTest::keyClick(&s.grid, Qt::Key_End, Qt::ControlModifier); // the last row is a footer
    QCOMPARE(s.rows(), QStringLiteral("[B]+|B4|_|[a]+|a2|_|[b]+|b1|*b3|_"));
    QTest::keyClick(&s.grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(s.model.focusedRow(), 0);
}

void tst_GroupingView::groupRowCopiesAndDeletesNothing()
{
    Screen s;
    s.model.groupByColumn(kOggetto);
    s.model.setFocusedRow(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(&s.grid, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QTest::keyClick(&s.grid, Qt::Key_Delete);
    QCOMPARE(s.memos.table.recordCount(), 4);
    // Inside the group, Delete removes the focused memo and keeps the grouping.
    QTest::keyClick(&s.grid, Qt::Key_Right);
    QTest::keyClick(&s.grid, Qt::Key_Down);
    QTest::keyClick(&s.grid, Qt::Key_Delete);
    QCOMPARE(s.memos.table.recordCount(), 3);
    QCOMPARE(s.rows(), QStringLiteral("[B]|_|*[b]|_"));
}

void tst_GroupingView::groupIndentShiftsTheColumns()
{
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    const int left = s.grid.headerRect(kDataOra).left();
    s.model.groupByColumn(kOggetto);
    QVERIFY(s.grid.headerRect(kDataOra).left() > left);
    // The columns still fill the width exactly.
    QCOMPARE(s.grid.headerRect(kNote).right() + 1, s.viewport()->width());
    s.model.ungroup();
    QCOMPARE(s.grid.headerRect(kDataOra).left(), left);
}

QTEST_MAIN(tst_GroupingView)
#include "tst_groupingview.moc"

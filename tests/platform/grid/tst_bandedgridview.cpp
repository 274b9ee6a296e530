// The grid widget driven as a user drives it: keys, clicks, wheel, focus in and out.

#include "support_gridmemos.h"

#include "platform/grid/BandedGridView.h"
#include "platform/grid/StockTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;
using pensilio::testing::memoColumns;
using pensilio::testing::rowList;

namespace {
// A window holding the grid and a line edit to take the focus away.
struct Screen
{
    GridMemos memos;
    GridViewModel model;
    QWidget window;
    BandedGridView *grid = nullptr;
    QLineEdit *other = nullptr;

    explicit Screen(int memoCount, int width = 600, int height = 400)
    {
        for (int i = 0; i < memoCount; ++i)
            memos.add(GridMemos::at(8, 0).addMSecs(qint64(i) * 60'000),
                      QByteArray("m") + QByteArray::number(i));
        model.setColumns(memoColumns());
        GridViewOptions options;
        options.columnAutoWidth = true;
        options.hideSelection = true;
        model.setOptions(options);
        model.setTable(&memos.table);
        auto *layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        grid = new BandedGridView;
        grid->setModel(&model);
        other = new QLineEdit;
        layout->addWidget(grid);
        layout->addWidget(other);
        window.resize(width, height);
        window.show();
    }
    bool activate()
    {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        grid->setFocus();
        return grid->hasFocus();
    }
    QString subjects() const { return rowList(model, memos.oggetto); }
    QColor pixelIn(int row, int column) const
    {
        const QImage image = grid->viewport()->grab().toImage();
        const QRect cell = grid->cellRect(row, column);
        return image.pixelColor(cell.left() + 2, cell.bottom() - 2);
    }
};
} // namespace

class tst_BandedGridView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void columnsFillTheWidth_data();
    void columnsFillTheWidth();
    void fixedBandStaysWhileTheOthersScrollSideways();
    void keyboardMovesTheFocusedRow_data();
    void keyboardMovesTheFocusedRow();
    void homeAndEndMoveTheFocusedCell();
    void deleteKeys_data();
    void deleteKeys();
    void copyKeys_data();
    void copyKeys();
    void clickFocusesTheRowAndHeaderClicksSort();
    void tableMovesScrollTheFocusedRowIntoView();
    void wheelScrolls();
    void hideSelectionWhileUnfocused();
    void emptyGridShowsTheStockText();
    void editingSearchingAndMenusStayOff();
};

void tst_BandedGridView::columnsFillTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("790") << 790;
    QTest::newRow("400") << 400;
    QTest::newRow("1600") << 1600;
}

void tst_BandedGridView::columnsFillTheWidth()
{
    QFETCH(int, width);
    Screen s(3, width);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    const GridLayout &layout = s.grid->columnLayout();
    QCOMPARE(layout.columns().size(), size_t(3));
    QCOMPARE(layout.check(), QString());
    // Indicator plus columns end exactly at the viewport's right edge: no sideways scrolling.
    const int right = s.grid->metrics().indicatorWidth + layout.width();
    QCOMPARE(right, s.grid->viewport()->width());
    QCOMPARE(s.grid->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(s.grid->headerRect(4).right() + 1, right);
    // Rows and headers are two text lines high.
    QCOMPARE(s.grid->headerRect(4).height(), 2 * s.grid->metrics().headerLineHeight);
    QVERIFY(s.grid->rowRect(0).height() > 2 * QFontMetrics(s.grid->font()).height());
}

void tst_BandedGridView::fixedBandStaysWhileTheOthersScrollSideways()
{
    Screen s(3, 700);
    GridViewOptions options = s.model.options();
    options.columnAutoWidth = false;
    s.model.setOptions(options);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    // Natural widths: 382 + 668 do not fit in 700, so the view scrolls sideways.
    QScrollBar *h = s.grid->horizontalScrollBar();
    QCOMPARE(h->maximum(), s.grid->metrics().indicatorWidth + 1050 - s.grid->viewport()->width());
    const QRect subject = s.grid->headerRect(3);
    const QRect note = s.grid->headerRect(4);
    h->setValue(100);
    QCOMPARE(s.grid->headerRect(3), subject);
    QCOMPARE(s.grid->headerRect(4), note.translated(-100, 0));
    QCOMPARE(s.grid->cellRect(0, 4).left(), note.left() - 100);
}

void tst_BandedGridView::keyboardMovesTheFocusedRow_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("expected");

    // 50 memos, the last one focused at first (the table's current row after posting).
    QTest::newRow("up") << "Up" << 48;
    QTest::newRow("down at the end stays") << "Down" << 49;
    QTest::newRow("ctrl home") << "Ctrl+Home" << 0;
    QTest::newRow("ctrl home, down, down") << "Ctrl+Home,Down,Down" << 2;
    QTest::newRow("ctrl home, up stays") << "Ctrl+Home,Up" << 0;
    QTest::newRow("ctrl home, page down") << "Ctrl+Home,PgDown" << -1; // one page
    QTest::newRow("page up") << "PgUp" << -2;                          // 49 less a page
    QTest::newRow("ctrl end") << "Ctrl+Home,Ctrl+End" << 49;
    QTest::newRow("page down past the end") << "PgUp,PgDown,PgDown" << 49;
}

void tst_BandedGridView::keyboardMovesTheFocusedRow()
{
    QFETCH(QString, keys);
    QFETCH(int, expected);
    Screen s(50);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    const int page = s.grid->rowsPerPage();
    QVERIFY(page > 2 && page < 20);
    if (expected == -1)
        expected = page;
    if (expected == -2)
        expected = 49 - page;

    for (const QString &k : keys.split(QLatin1Char(',')))
        QTest::keySequence(s.grid, QKeySequence(k));
    QCOMPARE(s.model.focusedRow(), expected);
    QCOMPARE(s.memos.table.currentPosition(), expected);
    // The focused row is on screen.
    QVERIFY(!s.grid->rowRect(expected).isNull());
    QVERIFY(s.grid->rowRect(expected).bottom() < s.grid->viewport()->height());
}

void tst_BandedGridView::homeAndEndMoveTheFocusedCell()
{
    Screen s(3);
    QCOMPARE(s.grid->focusedColumn(), 1);
    QTest::keyClick(s.grid, Qt::Key_End);
    QCOMPARE(s.grid->focusedColumn(), 4);
    QTest::keyClick(s.grid, Qt::Key_Left);
    QCOMPARE(s.grid->focusedColumn(), 3);
    QTest::keyClick(s.grid, Qt::Key_Home);
    QCOMPARE(s.grid->focusedColumn(), 1);
    QCOMPARE(s.model.focusedRow(), 2); // the row stays
}

void tst_BandedGridView::deleteKeys_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");

    QTest::newRow("delete") << int(Qt::NoModifier) << "m0,*m2";
    QTest::newRow("ctrl delete") << int(Qt::ControlModifier) << "m0,*m2";
    QTest::newRow("keypad delete") << int(Qt::KeypadModifier) << "m0,*m2";
    QTest::newRow("shift delete") << int(Qt::ShiftModifier) << "m0,*m1,m2";
    QTest::newRow("alt delete") << int(Qt::AltModifier) << "m0,*m1,m2";
}

void tst_BandedGridView::deleteKeys()
{
    QFETCH(int, modifiers);
    QFETCH(QString, expected);
    Screen s(3);
    s.model.setFocusedRow(1);
    QTest::keyClick(s.grid, Qt::Key_Delete, Qt::KeyboardModifiers(modifiers));
    // No question is asked: the memo is gone from the table at once.
    QCOMPARE(s.subjects(), expected);
    QCOMPARE(s.memos.table.recordCount(), expected.count(QLatin1Char(',')) + 1);
}

void tst_BandedGridView::copyKeys_data()
{
    QTest::addColumn<QString>("keys");
    QTest::newRow("ctrl c") << "Ctrl+C";
    QTest::newRow("ctrl insert") << "Ctrl+Ins";
}

void tst_BandedGridView::copyKeys()
{
    QFETCH(QString, keys);
    Screen s(3);
    s.model.setFocusedRow(1);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keySequence(s.grid, QKeySequence(keys));
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("DataOra\tOggetto\tnote\r\n09/12/2025 08:01:00\tm1\t\r\n"));

    // Nothing focused: the clipboard keeps what it had.
    s.memos.table.append();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keySequence(s.grid, QKeySequence(keys));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
}

void tst_BandedGridView::clickFocusesTheRowAndHeaderClicksSort()
{
    Screen s(3);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, s.grid->cellRect(0, 4).center());
    QCOMPARE(s.subjects(), QStringLiteral("*m0,m1,m2"));
    QCOMPARE(s.memos.table.currentPosition(), 0);
    QCOMPARE(s.grid->focusedColumn(), 4);

    const QPoint subjectHeader = s.grid->headerRect(3).center();
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, subjectHeader);
    QCOMPARE(s.subjects(), QStringLiteral("*m0,m1,m2"));
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, subjectHeader);
    QCOMPARE(s.subjects(), QStringLiteral("m2,m1,*m0"));
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, Qt::ControlModifier, subjectHeader);
    QVERIFY(s.model.sortKeys().empty());
    QCOMPARE(s.subjects(), QStringLiteral("*m0,m1,m2"));
}

void tst_BandedGridView::tableMovesScrollTheFocusedRowIntoView()
{
    Screen s(200);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    s.memos.table.setCurrentPosition(0);
    QCOMPARE(s.grid->firstVisibleRow(), 0);
    s.memos.table.setCurrentPosition(120);
    QVERIFY(!s.grid->rowRect(120).isNull());
    QVERIFY(s.grid->rowRect(120).bottom() < s.grid->viewport()->height());
}

void tst_BandedGridView::wheelScrolls()
{
    Screen s(200);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    s.memos.table.setCurrentPosition(0);
    QWheelEvent wheel(QPointF(50, 150), s.grid->viewport()->mapToGlobal(QPointF(50, 150)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(s.grid->viewport(), &wheel);
    QVERIFY(s.grid->firstVisibleRow() > 0);
    QCOMPARE(s.model.focusedRow(), 0); // scrolling does not move the focus
}

void tst_BandedGridView::hideSelectionWhileUnfocused()
{
    Screen s(3);
    if (!s.activate())
        QSKIP("the platform gives no keyboard focus");
    s.model.setFocusedRow(1);
    const QColor highlight = s.grid->palette().color(QPalette::Highlight);
    const QColor base = s.grid->palette().color(QPalette::Base);
    QCOMPARE(s.pixelIn(1, 4), highlight);
    QCOMPARE(s.pixelIn(0, 4), base);

    s.other->setFocus();
    QTRY_VERIFY(!s.grid->hasFocus());
    QCOMPARE(s.pixelIn(1, 4), base);

    // Without hide selection the row stays highlighted.
    GridViewOptions options = s.model.options();
    options.hideSelection = false;
    s.model.setOptions(options);
    QCOMPARE(s.pixelIn(1, 4), highlight);
}

void tst_BandedGridView::emptyGridShowsTheStockText()
{
    Screen s(0);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    QCOMPARE(s.model.focusedRow(), -1);
    const int top = s.grid->metrics().dataTop();
    auto inkInDataArea = [&s, top] {
        const QImage image = s.grid->viewport()->grab().toImage();
        const QColor base = s.grid->palette().color(QPalette::Base);
        int ink = 0;
        for (int y = top; y < image.height(); ++y)
            for (int x = s.grid->metrics().indicatorWidth; x < image.width(); ++x)
                ink += image.pixelColor(x, y) != base;
        return ink;
    };
    QVERIFY(inkInDataArea() > 20);
    // The text comes through the stock-text lookup: an installed empty text leaves no ink.
    setStockText(QStringLiteral("<No data to display>"), QString());
    QCOMPARE(inkInDataArea(), 0);
    resetStockTexts();
}

void tst_BandedGridView::editingSearchingAndMenusStayOff()
{
    Screen s(3);
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    s.model.setFocusedRow(1);
    const QList<QWidget *> children = s.grid->findChildren<QWidget *>();
    // No editor opens, no row is added, typing searches nothing.
    for (const char *keys : {"Return", "F2", "Ins", "M", "2"})
        QTest::keySequence(s.grid, QKeySequence(QString::fromLatin1(keys)));
    // A right click on a header or an indicator opens no menu and sorts nothing.
    QTest::mouseClick(s.grid->viewport(), Qt::RightButton, {}, s.grid->headerRect(3).center());
    QTest::mouseClick(s.grid->viewport(), Qt::RightButton, {},
                      QPoint(2, s.grid->metrics().headerTop() + 2));
    QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {},
                      QPoint(2, s.grid->metrics().headerTop() + 2));
    QCOMPARE(s.subjects(), QStringLiteral("m0,*m1,m2"));
    QCOMPARE(s.memos.table.state(), memdata::TableState::Browse);
    QVERIFY(s.model.sortKeys().empty());
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
    QCOMPARE(s.grid->findChildren<QWidget *>(), children);
}

QTEST_MAIN(tst_BandedGridView)
#include "tst_bandedgridview.moc"

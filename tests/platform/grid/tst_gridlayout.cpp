// The column geometry of a banded view: natural widths, fitting to a width, band rows and lines.

#include "support_gridmemos.h"

#include "platform/grid/GridLayout.h"

#include <QTest>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::memoColumns;

namespace {
// "column:left-right@firstLine+lines" for each visible column, in screen order.
QString describe(const GridLayout &layout)
{
    QStringList out;
    for (const ColumnGeometry &g : layout.columns())
        out << QStringLiteral("%1:%2-%3@%4+%5")
                   .arg(g.column)
                   .arg(g.left)
                   .arg(g.right)
                   .arg(g.firstLine)
                   .arg(g.lineCount);
    return out.join(QLatin1Char(' '));
}
} // namespace

class tst_GridLayout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void naturalWidthsStretchColumnsToTheirBand();
    void fillingTheWidth_data();
    void fillingTheWidth();
    void bandRowsStackAndTheLastReachesTheRecordEnd();
    void fixedBandsComeFirst();
};

void tst_GridLayout::naturalWidthsStretchColumnsToTheirBand()
{
    const GridLayout layout(memoColumns(), 0, GridLayout::Fit::NaturalWidths);
    // Band 0 is 382 wide; its columns (90 and 194) share it in proportion: 121 and 261.
    QCOMPARE(describe(layout), QStringLiteral("1:0-121@0+2 3:121-382@0+2 4:382-1050@0+2"));
    QCOMPARE(layout.fixedWidth(), 382);
    QCOMPARE(layout.width(), 1050);
    QCOMPARE(layout.linesPerRecord(), 2);
    QCOMPARE(layout.check(), QString());
}

void tst_GridLayout::fillingTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    // Bands 382 : 668 of the width, then the fixed band's columns 90 : 194 of the band.
    QTest::newRow("grid at restored size") << 778 << "1:0-90@0+2 3:90-283@0+2 4:283-778@0+2";
    QTest::newRow("natural") << 1050 << "1:0-121@0+2 3:121-382@0+2 4:382-1050@0+2";
    QTest::newRow("wide") << 1905 << "1:0-220@0+2 3:220-693@0+2 4:693-1905@0+2";
    QTest::newRow("narrow") << 101 << "1:0-12@0+2 3:12-37@0+2 4:37-101@0+2";
    QTest::newRow("one pixel") << 1 << "1:0-0@0+2 3:0-0@0+2 4:0-1@0+2";
}

void tst_GridLayout::fillingTheWidth()
{
    QFETCH(int, width);
    QFETCH(QString, expected);

    const GridLayout layout(memoColumns(), width, GridLayout::Fit::FillWidth);
    QCOMPARE(describe(layout), expected);
    QCOMPARE(layout.width(), width);
    QCOMPARE(layout.columns().back().right, width);
    QCOMPARE(layout.check(), QString());
}

void tst_GridLayout::bandRowsStackAndTheLastReachesTheRecordEnd()
{
    GridColumnSet set;
    set.addBand({});
    set.addBand({});
    auto add = [&set](int band, int row, int col, int lines, int width) {
        GridColumn c;
        c.band = band;
        c.rowIndex = row;
        c.colIndex = col;
        c.lineCount = lines;
        c.width = width;
        return set.addColumn(c);
    };
    add(0, 0, 1, 1, 50); // 0
    add(0, 0, 0, 2, 50); // 1: left of column 0 although added later
    add(0, 1, 0, 1, 60); // 2: the band's second row
    add(1, 0, 0, 1, 40); // 3: a one-row band beside it
    const GridLayout layout(set, 0, GridLayout::Fit::NaturalWidths);
    // Band 0 is as wide as its widest row (100); its second row's column is stretched to that;
    // the record is three lines high, and band 1's only row reaches down all three.
    QCOMPARE(describe(layout), QStringLiteral("1:0-50@0+2 0:50-100@0+2 2:0-100@2+1 3:100-140@0+3"));
    QCOMPARE(layout.linesPerRecord(), 3);
    QCOMPARE(layout.columnAt(20, 2), 2);
    QCOMPARE(layout.columnAt(60, 1), 0);
    QCOMPARE(layout.columnAt(140, 0), -1);
    QCOMPARE(layout.check(), QString());
}

void tst_GridLayout::fixedBandsComeFirst()
{
    GridColumnSet set;
    set.addBand({QStringLiteral("scrolls"), 100, BandFixing::None, Qt::AlignCenter});
    set.addBand({QStringLiteral("fixed"), 50, BandFixing::Left, Qt::AlignCenter});
    GridColumn c;
    c.band = 0;
    set.addColumn(c);
    c.band = 1;
    set.addColumn(c);
    const GridLayout layout(set, 0, GridLayout::Fit::NaturalWidths);
    QCOMPARE(describe(layout), QStringLiteral("1:0-50@0+1 0:50-150@0+1"));
    QCOMPARE(layout.fixedWidth(), 50);
    QVERIFY(layout.bands().front().fixed);
}

QTEST_MAIN(tst_GridLayout)
#include "tst_gridlayout.moc"

// The grid's headers as the user handles them: the filter buttons and the hosted filter panel,
// moving and sizing columns and bands by dragging, with the columns still filling the width.

#include "support_gridmemos.h"

#include "platform/grid/BandedGridView.h"
#include "platform/grid/HeaderDrag.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
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

    explicit Screen(bool autoWidth = true)
    {
        for (int i = 0; i < 30; ++i)
            memos.add(GridMemos::at(8).addMSecs(qint64(i) * 60'000), "m");
        GridColumnSet set = testing::memoColumns();
        GridColumnSet columns;
        for (int b = 0; b < set.bandCount(); ++b)
            columns.addBand(set.band(b));
        for (int c = 0; c < set.columnCount(); ++c) {
            GridColumn column = set.column(c);
            column.options.filtering = c == kOggetto;
            columns.addColumn(column);
        }
        model.setColumns(columns);
        GridViewOptions options;
        options.columnAutoWidth = autoWidth;
        model.setOptions(options);
        model.setTable(&memos.table);
        grid.setModel(&model);
        grid.resize(800, 400);
        grid.show();
    }
    QWidget *viewport() { return grid.viewport(); }
    void drag(QPoint from, QPoint to)
    {
        auto send = [this](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
            QMouseEvent e(type, at, viewport()->mapToGlobal(at), Qt::LeftButton, buttons, {});
            QApplication::sendEvent(viewport(), &e);
        };
        send(QEvent::MouseButtonPress, from, Qt::LeftButton);
        send(QEvent::MouseMove, from + (to - from) / 2 + QPoint(0, 1), Qt::LeftButton);
        send(QEvent::MouseMove, to, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    QString captions() const
    {
        QStringList out;
        for (int c : model.columns().visibleColumns())
            out << model.columns().caption(c);
        return out.join(QLatin1Char(','));
    }
    int fillsTo() const
    {
        return grid.headerRect(model.columns().visibleColumns().back()).right() + 1;
    }
};
} // namespace

class tst_GridHeaders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void filterButtonAsksForTheDropDownAndDoesNotSort();
    void activeFilterButtonLooksDifferent();
    void filterPanelTakesRoomFromTheRows();
    void filterHidingEveryRowShowsTheEmptyText();
    void dragAColumnToANewPlace();
    void dragABandWithinItsKind();
    void resizeAColumnKeepsTheWidthFilled_data();
    void resizeAColumnKeepsTheWidthFilled();
    void resizeWithNaturalWidths();
};

void tst_GridHeaders::filterButtonAsksForTheDropDownAndDoesNotSort()
{
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    QVERIFY(s.grid.filterButtonRect(kDataOra).isNull());
    QVERIFY(s.grid.filterButtonRect(kNote).isNull());
    const QRect button = s.grid.filterButtonRect(kOggetto);
    QVERIFY(s.grid.headerRect(kOggetto).contains(button));
    QSignalSpy spy(&s.grid, &BandedGridView::filterDropDownRequested);
    QTest::mouseClick(s.viewport(), Qt::LeftButton, {}, button.center());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), kOggetto);
    const QRect header = s.grid.headerRect(kOggetto);
    QCOMPARE(spy.at(0).at(1).toRect(),
             QRect(s.viewport()->mapToGlobal(header.topLeft()), header.size()));
    QVERIFY(s.model.sortKeys().empty());
    // The rest of the header still sorts.
    QTest::mouseClick(s.viewport(), Qt::LeftButton, {}, header.center() - QPoint(30, 0));
    QCOMPARE(s.model.sortKeys().size(), size_t(1));
    QCOMPARE(spy.count(), 1);
}

void tst_GridHeaders::activeFilterButtonLooksDifferent()
{
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    const QRect button = s.grid.filterButtonRect(kOggetto);
    const QImage idle = s.viewport()->grab(button).toImage();
    s.grid.setColumnFiltered(kOggetto, true);
    QVERIFY(s.grid.isColumnFiltered(kOggetto));
    QVERIFY(s.viewport()->grab(button).toImage() != idle);
    s.grid.setColumnFiltered(kOggetto, false);
    QCOMPARE(s.viewport()->grab(button).toImage(), idle);
}

void tst_GridHeaders::filterPanelTakesRoomFromTheRows()
{
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    const int height = s.viewport()->height();
    const int rows = s.grid.rowsPerPage();
    auto *panel = new QLabel(QStringLiteral("panel"));
    panel->setMinimumHeight(40);
    panel->hide();
    s.grid.setFilterPanel(panel);
    QCOMPARE(panel->parentWidget(), &s.grid);
    QCOMPARE(s.viewport()->height(), height);
    panel->show();
    QTRY_COMPARE(s.viewport()->height(), height - panel->sizeHint().height());
    QVERIFY(s.grid.rowsPerPage() < rows);
    QCOMPARE(panel->geometry().top(), s.viewport()->geometry().bottom() + 1);
    QCOMPARE(panel->width(), s.viewport()->width());
    panel->hide();
    QTRY_COMPARE(s.viewport()->height(), height);
}

void tst_GridHeaders::filterHidingEveryRowShowsTheEmptyText()
{
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    s.model.setRowFilter([](const memdata::Table &, memdata::RowId) { return false; });
    QCOMPARE(s.model.rowCount(), 0);
    const QImage image = s.viewport()->grab().toImage();
    const QColor base = s.grid.palette().color(QPalette::Base);
    int ink = 0;
    for (int y = s.grid.metrics().dataTop(); y < image.height(); ++y)
        for (int x = s.grid.metrics().indicatorWidth; x < image.width(); ++x)
            ink += image.pixelColor(x, y) != base;
    QVERIFY(ink > 20);
}

void tst_GridHeaders::dragAColumnToANewPlace()
{
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    QCOMPARE(s.captions(), QStringLiteral("DataOra,Oggetto,note"));
    // The subject onto the left half of the date: it goes before the date.
    const QRect date = s.grid.headerRect(kDataOra);
    s.drag(s.grid.headerRect(kOggetto).center() - QPoint(20, 0), date.center() - QPoint(10, 0));
    QCOMPARE(s.captions(), QStringLiteral("Oggetto,DataOra,note"));
    QVERIFY(s.model.sortKeys().empty());
    // Into the other band, after the note.
    const QRect note = s.grid.headerRect(kNote);
    s.drag(s.grid.headerRect(kDataOra).center(), note.center() + QPoint(note.width() / 4, 0));
    QCOMPARE(s.captions(), QStringLiteral("Oggetto,note,DataOra"));
    QCOMPARE(s.model.columns().column(kDataOra).band, 1);
    QCOMPARE(s.fillsTo(), s.viewport()->width());
    QCOMPARE(s.grid.columnLayout().check(), QString());
}

void tst_GridHeaders::dragABandWithinItsKind()
{
    Screen s;
    GridColumnSet set = s.model.columns();
    const int extra =
        set.addBand({QStringLiteral("Extra"), 100, BandFixing::None, Qt::AlignCenter});
    GridColumn c;
    c.fieldName = QStringLiteral("NumScad");
    c.band = extra;
    c.width = 100;
    set.addColumn(c);
    s.model.setColumns(set);
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    auto bands = [&s] {
        QStringList out;
        for (const BandGeometry &b : s.grid.columnLayout().bands())
            out << QString::number(b.band);
        return out.join(QLatin1Char(','));
    };
    QCOMPARE(bands(), QStringLiteral("0,1,2"));
    // The extra band before the note band.
    s.drag(s.grid.bandHeaderRect(extra).center(),
           s.grid.bandHeaderRect(1).topLeft() + QPoint(5, 3));
    QCOMPARE(bands(), QStringLiteral("0,2,1"));
    // A scrolling band cannot enter the fixed side.
    s.drag(s.grid.bandHeaderRect(extra).center(), s.grid.bandHeaderRect(0).center());
    QCOMPARE(bands(), QStringLiteral("0,2,1"));
}

void tst_GridHeaders::resizeAColumnKeepsTheWidthFilled_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("by");
    // The date's neighbour in its band gives the room; the subject is the band's last column,
    // so its band grows and the note band shrinks.
    QTest::newRow("date wider") << kDataOra << 30;
    QTest::newRow("date narrower") << kDataOra << -30;
    QTest::newRow("subject wider") << kOggetto << 40;
    QTest::newRow("subject narrower") << kOggetto << -40;
}

void tst_GridHeaders::resizeAColumnKeepsTheWidthFilled()
{
    QFETCH(int, column);
    QFETCH(int, by);
    Screen s;
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    const QRect header = s.grid.headerRect(column);
    const QPoint edge(header.right(), header.center().y());
    s.drag(edge, edge + QPoint(by, 0));
    QCOMPARE(s.grid.headerRect(column).width(), header.width() + by);
    QCOMPARE(s.fillsTo(), s.viewport()->width());
    QCOMPARE(s.grid.columnLayout().check(), QString());
    // Widths follow the window in proportion afterwards.
    s.grid.resize(1000, 400);
    QCOMPARE(s.fillsTo(), s.viewport()->width());
}

void tst_GridHeaders::resizeWithNaturalWidths()
{
    Screen s(false);
    QVERIFY(QTest::qWaitForWindowExposed(&s.grid));
    const int total = s.grid.columnLayout().width();
    const QRect note = s.grid.headerRect(kNote);
    s.drag(QPoint(note.right(), note.center().y()), QPoint(note.right() - 200, note.center().y()));
    QCOMPARE(s.grid.columnLayout().width(), total - 200);
    // A band edge: the fixed band grows by the drag.
    const QRect band = s.grid.bandHeaderRect(0);
    s.drag(QPoint(band.right(), band.center().y()), QPoint(band.right() + 50, band.center().y()));
    QCOMPARE(s.grid.bandHeaderRect(0).width(), band.width() + 50);
    QCOMPARE(s.grid.columnLayout().check(), QString());
    // Never narrower than the least width.
    const QRect date = s.grid.headerRect(kDataOra);
    s.drag(QPoint(date.right(), date.center().y()), QPoint(date.left() - 50, date.center().y()));
    QVERIFY(s.grid.headerRect(kDataOra).width() >= kMinimumColumnWidth);
}

QTEST_MAIN(tst_GridHeaders)
#include "tst_gridheaders.moc"

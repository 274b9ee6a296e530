// The preview window: its tool bar, keys, status panels, states, and saving and loading pages.

#include "RecordingMessageBoxes.h"
#include "platform/report/PageStore.h"
#include "platform/report/PreviewWindow.h"
#include "platform/report/ReportFile.h"
#include "platform/report/ReportRun.h"
#include "support_PageText.h"
#include "support_RecordingDialogs.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace pensilio;
using namespace pensilio::report;

namespace {

// Pages with one text each, "page N", enough to browse.
void fill(PageStore &store, int pages)
{
    ReportTemplate report;
    report.paper = QSizeF(100, 30); // 10 mm usable: one band per page
    ReportBand detail;
    detail.height = 10;
    detail.width = 80;
    ReportElement text;
    text.kind = ElementKind::FieldText;
    text.field = QStringLiteral("f");
    text.width = 80;
    text.height = 5;
    detail.elements.push_back(text);
    report.bands.push_back(detail);
    std::vector<std::vector<QByteArray>> rows;
    for (int i = 1; i <= pages; ++i)
        rows.push_back({"page " + QByteArray::number(i)});
    testing::RowsSource source({QStringLiteral("f")}, rows);
    const testing::FixedMeasurer measurer;
    store.setPaperSize(report.paper);
    ReportRun(report, source, measurer, store).run();
}

struct Fixture
{
    explicit Fixture(int pages = 0)
    {
        if (pages > 0)
            fill(store, pages);
        window.show();
    }
    // The window is made after the store has its title, as the preview makes it.
    std::unique_ptr<PreviewWindow> makeWindow()
    {
        store.setTitle(QStringLiteral("STAMPA MEMO"));
        return std::make_unique<PreviewWindow>(store, &boxes, &dialogs, QStringLiteral("Pensilio"));
    }
    PageStore store;
    testing::RecordingMessageBoxes boxes;
    testing::RecordingDialogs dialogs;
    std::unique_ptr<PreviewWindow> owned = makeWindow();
    PreviewWindow &window = *owned;
};

} // namespace

class tst_PreviewWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void toolBarInItsOrderWithItsHints();
    void zoomButtonsAreOneExclusiveGroup();
    void keysBrowseThePages_data();
    void keysBrowseThePages();
    void escapeClosesTheWindow();
    void progressPanelMovesInStepsOfFive();
    void pagePanelFollowsPagesAsTheyArrive();
    void printingWaitsForTheRunToComplete();
    void savedPagesLoadBackAsALoadedReport();
    void loadingAMissingFileKeepsThePages();
    void loadingADamagedFileKeepsThePages();
};

void tst_PreviewWindow::toolBarInItsOrderWithItsHints()
{
    Fixture f(1);
    QCOMPARE(f.window.windowTitle(), QStringLiteral("STAMPA MEMO"));
    const auto *bar = f.window.findChild<QToolBar *>();
    QStringList hints;
    for (const QAction *a : bar->actions())
        hints << (a->toolTip().isEmpty() ? a->text() : a->toolTip());
    QCOMPARE(hints, (QStringList{QStringLiteral("Zoom to fit"), QStringLiteral("100%"),
                                 QStringLiteral("Zoom to width"), QStringLiteral("First page"),
                                 QStringLiteral("Previous page"), QStringLiteral("Next page"),
                                 QStringLiteral("Last page"), QStringLiteral("Printer setup"),
                                 QStringLiteral("Print"), QStringLiteral("Save Report"),
                                 QStringLiteral("Load Report"), QStringLiteral("Close")}));
    QCOMPARE(bar->actions().last()->text(), QStringLiteral("&Close"));
}

void tst_PreviewWindow::zoomButtonsAreOneExclusiveGroup()
{
    Fixture f(1);
    QAction *fit = f.window.action(QStringLiteral("Zoom to fit"));
    QAction *full = f.window.action(QStringLiteral("100%"));
    QAction *width = f.window.action(QStringLiteral("Zoom to width"));
    QVERIFY(full->isChecked());
    QCOMPARE(f.window.zoom(), Zoom::Full);
    fit->trigger();
    QVERIFY(fit->isChecked() && !full->isChecked() && !width->isChecked());
    QCOMPARE(f.window.zoom(), Zoom::Fit);
    width->trigger();
    QVERIFY(width->isChecked() && !fit->isChecked());
    QCOMPARE(f.window.zoom(), Zoom::Width);
}

void tst_PreviewWindow::keysBrowseThePages_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QKeyCombination>("key");
    QTest::addColumn<int>("shown");
    QTest::newRow("Home") << 3 << QKeyCombination(Qt::Key_Home) << 1;
    QTest::newRow("Ctrl+PgUp") << 3 << QKeyCombination(Qt::CTRL, Qt::Key_PageUp) << 1;
    QTest::newRow("PgUp") << 3 << QKeyCombination(Qt::Key_PageUp) << 2;
    QTest::newRow("PgUp on page 1 stays") << 1 << QKeyCombination(Qt::Key_PageUp) << 1;
    QTest::newRow("PgDn") << 3 << QKeyCombination(Qt::Key_PageDown) << 4;
    QTest::newRow("PgDn on the last page stays") << 5 << QKeyCombination(Qt::Key_PageDown) << 5;
    QTest::newRow("End") << 2 << QKeyCombination(Qt::Key_End) << 5;
    QTest::newRow("Ctrl+PgDn") << 2 << QKeyCombination(Qt::CTRL, Qt::Key_PageDown) << 5;
}

void tst_PreviewWindow::keysBrowseThePages()
{
    QFETCH(int, start);
    QFETCH(QKeyCombination, key);
    QFETCH(int, shown);
    Fixture f(5);
    f.window.setState(PreviewWindow::State::Complete);
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.window.activateWindow();
    f.window.showPage(start);
    QTest::keyClick(&f.window, key.key(), key.keyboardModifiers());
    QCOMPARE(f.window.currentPage(), shown);
    QCOMPARE(f.window.pageText(), QStringLiteral("Page %1 of 5").arg(shown));
}

void tst_PreviewWindow::escapeClosesTheWindow()
{
    Fixture f(1);
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QSignalSpy closed(&f.window, &PreviewWindow::closed);
    QTest::keyClick(&f.window, Qt::Key_Escape);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!f.window.isVisible());
}

void tst_PreviewWindow::progressPanelMovesInStepsOfFive()
{
    Fixture f;
    QStringList shown;
    for (const int percent : {0, 3, 5, 7, 9, 10, 16, 99, 100}) {
        f.window.setProgress(percent);
        shown << f.window.progressText();
    }
    // Empty at 0 and 100; otherwise updated once it has grown by 5 since the last update.
    QCOMPARE(shown, (QStringList{QString(), QString(), QStringLiteral("5%"), QStringLiteral("5%"),
                                 QStringLiteral("5%"), QStringLiteral("10%"), QStringLiteral("16%"),
                                 QStringLiteral("99%"), QString()}));
}

void tst_PreviewWindow::pagePanelFollowsPagesAsTheyArrive()
{
    Fixture f;
    QCOMPARE(f.window.currentPage(), 0);
    fill(f.store, 2);
    // Page 1 shows as soon as it exists; the count follows every new page.
    QCOMPARE(f.window.currentPage(), 1);
    // Later pages reach the panel on the next pass of the event loop.
    QTRY_COMPARE(f.window.pageText(), QStringLiteral("Page 1 of 2"));
    f.window.action(QStringLiteral("Next page"))->trigger();
    QCOMPARE(f.window.pageText(), QStringLiteral("Page 2 of 2"));
}

void tst_PreviewWindow::printingWaitsForTheRunToComplete()
{
    Fixture f(2);
    QAction *setup = f.window.action(QStringLiteral("Printer setup"));
    QAction *print = f.window.action(QStringLiteral("Print"));
    QVERIFY(!setup->isEnabled() && !print->isEnabled());
    QSignalSpy printed(&f.window, &PreviewWindow::printRequested);
    print->trigger(); // a disabled action does nothing
    QCOMPARE(printed.count(), 0);
    f.window.setState(PreviewWindow::State::Complete);
    QVERIFY(setup->isEnabled() && print->isEnabled());
    print->trigger();
    QCOMPARE(printed.count(), 1);
}

void tst_PreviewWindow::savedPagesLoadBackAsALoadedReport()
{
    QTemporaryDir dir;
    Fixture f(3);
    f.window.setState(PreviewWindow::State::Complete);
    f.dialogs.fileName = dir.filePath(QStringLiteral("memo.QRP"));
    f.window.action(QStringLiteral("Save Report"))->trigger();
    QVERIFY(QFile::exists(f.dialogs.fileName));

    Fixture other(1);
    other.window.setState(PreviewWindow::State::Complete);
    other.dialogs.fileName = f.dialogs.fileName;
    other.window.action(QStringLiteral("Load Report"))->trigger();
    QCOMPARE(f.dialogs.log,
             QStringList{QStringLiteral("save[Save report|Report file(*.QRP)|QRP]")});
    QCOMPARE(other.dialogs.log,
             QStringList{QStringLiteral("open[Load report|Report file (*.QRP)]")});
    QCOMPARE(other.boxes.log, QStringList());
    QCOMPARE(other.store.pageCount(), 3);
    QCOMPARE(other.window.pageText(), QStringLiteral("Page 1 of 3"));
    QCOMPARE(testing::PageText::of(other.store.page(2), other.store.styles()),
             QStringList{QStringLiteral("text 10.00,10.00 'page 3'")});
    QCOMPARE(other.window.state(), PreviewWindow::State::Loaded);
    QVERIFY(!other.window.action(QStringLiteral("Printer setup"))->isEnabled());
    QVERIFY(other.window.action(QStringLiteral("Print"))->isEnabled());
}

void tst_PreviewWindow::loadingAMissingFileKeepsThePages()
{
    QTemporaryDir dir;
    Fixture f(2);
    f.window.setState(PreviewWindow::State::Complete);
    f.dialogs.fileName = dir.filePath(QStringLiteral("nothing.QRP"));
    f.window.action(QStringLiteral("Load Report"))->trigger();
    QCOMPARE(f.boxes.log, QStringList{QStringLiteral("message[Pensilio]: File does not exist")});
    QCOMPARE(f.store.pageCount(), 2);
    QCOMPARE(f.window.state(), PreviewWindow::State::Complete);
}

void tst_PreviewWindow::loadingADamagedFileKeepsThePages()
{
    QTemporaryDir dir;
    Fixture f(2);
    f.window.setState(PreviewWindow::State::Complete);
    f.dialogs.fileName = dir.filePath(QStringLiteral("bad.QRP"));
    QFile file(f.dialogs.fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(reportfile::encode(f.store).left(40));
    file.close();
    f.window.action(QStringLiteral("Load Report"))->trigger();
    QCOMPARE(f.boxes.log.size(), 1);
    QVERIFY2(f.boxes.log.first().contains(QStringLiteral("is damaged")),
             qPrintable(f.boxes.log.first()));
    QCOMPARE(f.store.pageCount(), 2);
    QCOMPARE(f.window.state(), PreviewWindow::State::Complete);
}

QTEST_MAIN(tst_PreviewWindow)
#include "tst_PreviewWindow.moc"

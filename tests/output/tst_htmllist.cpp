// "Stampa HTML (selezione)": when it writes the page, what it asks of the shell, and what a
// failure leaves behind.

#include "platform/grid/support_gridmemos.h"

#include "RecordingDesktopShell.h"
#include "output/HtmlList.h"
#include "output/OpenWithShell.h"
#include "platform/core/Error.h"
#include "platform/grid/BandedGridView.h"
#include "platform/grid/HtmlViewSource.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;
using pensilio::testing::RecordingDesktopShell;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Command
{
    GridMemos memos;
    GridViewModel model;
    GridViewModelHtmlSource source{model};
    RecordingDesktopShell shell;
    QTemporaryDir dir;
    QString folder = dir.path() + QLatin1Char('/');
    QString page = folder + QStringLiteral("MemoLst.html");

    Command()
    {
        model.setColumns(testing::memoColumns());
        model.setTable(&memos.table);
    }
    void run()
    {
        HtmlExportLook look;
        look.layout = GridLayout(model.columns(), 778, GridLayout::Fit::FillWidth);
        ExportGrid grid{true, &source, look};
        StampaHTMLselezione1Click(memos.table, grid, shell, folder);
    }
    // Data cells: every left-aligned cell but the three column headers.
    int dataRows() const { return int(readFile(page).count("ALIGN=LEFT")) - 3; }
};

} // namespace

class tst_HtmlList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyTableWritesAndOpensNothing();
    void pageIsWrittenThenOpenedFromTheProgramFolder();
    void filterHidingEveryMemoStillExports();
    void secondRunReplacesThePage();
    void protectedPageIsKeptAndNothingOpens();
    void gridWidgetIsExportedAsShown();
    void openWithShellPassesItsArgumentsWhole();
};

void tst_HtmlList::emptyTableWritesAndOpensNothing()
{
    Command c;
    c.run();
    QVERIFY(!QFile::exists(c.page));
    QCOMPARE(c.shell.calls, QStringList());
}

void tst_HtmlList::pageIsWrittenThenOpenedFromTheProgramFolder()
{
    Command c;
    c.memos.add(9, "A", "uno");
    c.memos.add(10, "B", "due");
    c.memos.add(11, "C", "tre");
    c.run();
    const QByteArray page = readFile(c.page);
    const QByteArray head =
        "<HTML>\r\n<HEAD>\r\n<TITLE>" + QFile::encodeName(c.page) + "</TITLE>\r\n";
    QVERIFY(page.startsWith(head));
    QVERIFY(page.endsWith("</TABLE>\r\n</BODY>\r\n</HTML>"));
    QCOMPARE(c.dataRows(), 9);
    // No verb, the bare file name, no parameters, the folder, show mode 5.
    QCOMPARE(c.shell.calls, QStringList{QStringLiteral("|MemoLst.html||%1|5").arg(c.folder)});
}

void tst_HtmlList::filterHidingEveryMemoStillExports()
{
    Command c;
    c.memos.add(9, "A", "uno");
    c.model.setRowFilter([](const memdata::Table &, memdata::RowId) { return false; });
    c.run();
    QVERIFY(readFile(c.page).contains(">Oggetto</TD>"));
    QCOMPARE(c.dataRows(), 0);
    QCOMPARE(c.shell.calls.size(), 1);
}

void tst_HtmlList::secondRunReplacesThePage()
{
    Command c;
    c.memos.add(9, "A", "uno");
    c.run();
    c.memos.add(10, "B", "due");
    c.run();
    QCOMPARE(c.dataRows(), 6);
    QCOMPARE(c.shell.calls.size(), 2);
    QCOMPARE(QDir(c.dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("MemoLst.html")});
}

void tst_HtmlList::protectedPageIsKeptAndNothingOpens()
{
    Command c;
    c.memos.add(9, "A", "uno");
    {
        QFile old(c.page);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the page of yesterday");
    }
    QVERIFY(QFile::setPermissions(c.page, QFile::ReadOwner));
    try {
        c.run();
        QFAIL("no error");
    } catch (const Error &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("Cannot create file \"%1\". Permission denied").arg(c.page));
    }
    QCOMPARE(readFile(c.page), QByteArray("the page of yesterday"));
    QCOMPARE(c.shell.calls, QStringList());
}

void tst_HtmlList::gridWidgetIsExportedAsShown()
{
    GridMemos memos;
    memos.add(9, "A", "uno");
    GridViewModel model;
    model.setColumns(testing::memoColumns());
    GridViewOptions options = model.options();
    options.columnAutoWidth = true;
    model.setOptions(options);
    model.setTable(&memos.table);
    BandedGridView view;
    view.setModel(&model);
    view.resize(640, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    RecordingDesktopShell shell;
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    StampaHTMLselezione1Click(memos.table, view, shell, folder);
    const QString page = QString::fromLatin1(readFile(folder + QStringLiteral("MemoLst.html")));
    // The width row adds up to the columns' width on screen.
    int total = 0;
    static const QRegularExpression width(QStringLiteral("<TD  WIDTH=(\\d+) HEIGHT=0>"));
    for (auto it = width.globalMatch(page); it.hasNext();)
        total += it.next().captured(1).toInt();
    QVERIFY(total > 0);
    QCOMPARE(total, view.columnLayout().width());
    QVERIFY(page.contains(QStringLiteral(">uno</TD>")));
    QCOMPARE(shell.calls.size(), 1);
}

void tst_HtmlList::openWithShellPassesItsArgumentsWhole()
{
    RecordingDesktopShell shell;
    const QString longFolder =
        QStringLiteral("/") + QString(200, QLatin1Char('d')) + QStringLiteral("/");
    OpenWithShell(shell, QStringLiteral("pnshelp.pdf"), QStringLiteral("-x"), longFolder, 3);
    QCOMPARE(shell.calls, QStringList{QStringLiteral("|pnshelp.pdf|-x|%1|3").arg(longFolder)});
}

QTEST_MAIN(tst_HtmlList)
#include "tst_htmllist.moc"

// "Stampa TOTALE" and Anteprima end to end: the preview window, the run behind it, closing it,
// and printing into a PDF file.

#include "ManualClock.h"
#include "RecordingMessageBoxes.h"
#include "output/UFQRSTSCAD.h"
#include "platform/memdata/Table.h"
#include "platform/report/PreviewWindow.h"
#include "platform/report/ReportPreview.h"
#include "platform/report/support_RecordingDialogs.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace pensilio;
using namespace pensilio::report;

namespace {

struct Memos
{
    Memos()
    {
        using memdata::FieldDef;
        using memdata::FieldType;
        table.addField(FieldDef{QStringLiteral("RecId"), FieldType::AutoIncrement});
        dataOra = table.addField(FieldDef{QStringLiteral("DataOra"), FieldType::DateTime});
        oggetto = table.addField(FieldDef{QStringLiteral("Oggetto"), FieldType::Text, 50});
        note = table.addField(FieldDef{QStringLiteral("note"), FieldType::Text, 1000, 2000});
        table.addField(FieldDef{QStringLiteral("NumScad"), FieldType::Text, 20});
        table.setSortField(dataOra);
        table.setRegionalSettings(RegionalSettings(), &clock);
        table.open();
    }
    void addMany(int count)
    {
        for (int i = 0; i < count; ++i) {
            table.append();
            table.setFieldDateTime(
                dataOra, WallDateTime::fromParts(2025, 1, 1, 8).addMSecs(qint64(i) * 60'000));
            table.setFieldText(oggetto, "Memo " + QByteArray::number(i + 1));
            table.setFieldText(note, "nota");
            table.post();
        }
    }

    testing::ManualClock clock;
    memdata::Table table{QStringLiteral("ScadData")};
    int dataOra = -1, oggetto = -1, note = -1;
};

struct Form
{
    Memos memos;
    testing::RecordingMessageBoxes boxes;
    testing::RecordingDialogs dialogs;
    TFFQRSTSCAD form{memos.table, &boxes, &dialogs};

    // Runs 'whenComplete' once the run has finished, with the preview still open; the window
    // is closed afterwards unless the action closed it.
    void preview(const std::function<void(ReportPreview &)> &whenComplete)
    {
        whenOpen([whenComplete](ReportPreview *preview) {
            const auto act = [preview, whenComplete] {
                if (whenComplete)
                    whenComplete(*preview);
                if (preview->window())
                    preview->window()->close();
            };
            if (!preview->isRunning())
                act();
            else
                QObject::connect(preview, &ReportPreview::runFinished, preview, act,
                                 Qt::QueuedConnection);
        });
        form.StampaTotale();
    }

    // Calls 'action' from the event loop as soon as a preview is open.
    void whenOpen(const std::function<void(ReportPreview *)> &action)
    {
        auto *poll = new QTimer(&form);
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, &form, [this, poll, action] {
            if (ReportPreview *preview = form.preview()) {
                poll->stop();
                poll->deleteLater();
                action(preview);
            }
        });
        poll->start();
    }
};

int pdfPages(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString content = QString::fromLatin1(file.readAll());
    return int(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}

} // namespace

class tst_reportAnteprima : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyTableOpensNothing();
    void previewShowsEveryMemoAndLeavesTheLastCurrent();
    void closingThePreviewStopsTheRun();
    void printRunsTheReportAgainIntoTheChosenFile();
    void printSetupKeepsThePageRange();
    void cancelAbandonsThePrintJob();
    void loadedReportPrintsItsStoredPages();
    void noUsablePrinterPrintsNothing();
};

void tst_reportAnteprima::emptyTableOpensNothing()
{
    Form f;
    bool opened = false;
    QTimer::singleShot(0, [&] { opened = f.form.preview() != nullptr; });
    f.form.StampaTotale();
    QCoreApplication::processEvents();
    QVERIFY(!opened);
    QCOMPARE(f.boxes.log, QStringList());
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<PreviewWindow *>(w) || !w->isVisible());
}

void tst_reportAnteprima::previewShowsEveryMemoAndLeavesTheLastCurrent()
{
    Form f;
    f.memos.addMany(60);
    f.memos.table.setCurrentPosition(10);
    QString caption, pages, progress;
    bool maximized = false;
    Zoom zoom = Zoom::Fit;
    f.preview([&](ReportPreview &preview) {
        PreviewWindow *w = preview.window();
        caption = w->windowTitle();
        maximized = w->isMaximized() || (w->windowState() & Qt::WindowMaximized);
        zoom = w->zoom();
        pages = w->pageText();
        progress = w->progressText();
    });
    QCOMPARE(caption, QStringLiteral("STAMPA MEMO"));
    QVERIFY(maximized);
    QCOMPARE(zoom, Zoom::Full);
    QCOMPARE(pages, QStringLiteral("Page 1 of 3")); // 25 + 28 + 7
    QCOMPARE(progress, QString());
    QVERIFY(!f.form.preview());
    QCOMPARE(f.memos.table.currentPosition(), 59);
}

void tst_reportAnteprima::closingThePreviewStopsTheRun()
{
    Form f;
    f.memos.addMany(3000);
    int pagesWhenClosed = 0;
    bool running = false;
    f.whenOpen([&](ReportPreview *preview) {
        running = preview->isRunning();
        connect(&preview->store(), &PageStore::pageAdded, preview, [&, preview](int count) {
            if (count == 2) {
                pagesWhenClosed = count;
                preview->window()->close();
            }
        });
    });
    f.form.StampaTotale();
    QVERIFY(running);
    QCOMPARE(pagesWhenClosed, 2);
    QVERIFY(!f.form.preview());
    // The run stopped soon after the window closed, far from the last memo.
    QVERIFY2(f.memos.table.currentPosition() < 500,
             qPrintable(QString::number(f.memos.table.currentPosition())));
}

void tst_reportAnteprima::printRunsTheReportAgainIntoTheChosenFile()
{
    QTemporaryDir dir;
    Form f;
    f.memos.addMany(60);
    const QString pdf = dir.filePath(QStringLiteral("memo.pdf"));
    f.form.printer().setOutputFormat(QPrinter::PdfFormat);
    f.form.printer().setOutputFileName(pdf);
    f.preview([&](ReportPreview &preview) {
        f.memos.table.setCurrentPosition(0);
        preview.print();
    });
    QCOMPARE(pdfPages(pdf), 3);
    QCOMPARE(f.form.printer().docName(), QStringLiteral("STAMPA MEMO"));
    QCOMPARE(f.dialogs.log.first(), QStringLiteral("progress window"));
    QVERIFY(f.dialogs.log.contains(QStringLiteral("progress 100")));
    QCOMPARE(f.memos.table.currentPosition(), 59);
}

void tst_reportAnteprima::printSetupKeepsThePageRange()
{
    QTemporaryDir dir;
    Form f;
    f.memos.addMany(60);
    const QString pdf = dir.filePath(QStringLiteral("range.pdf"));
    f.dialogs.setup = [&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
    };
    f.preview([&](ReportPreview &preview) {
        preview.window()->action(QStringLiteral("Printer setup"))->trigger();
        preview.window()->action(QStringLiteral("Print"))->trigger();
    });
    QCOMPARE(f.dialogs.log.first(), QStringLiteral("setup[pages 3]"));
    QCOMPARE(pdfPages(pdf), 2);
    // Kept for the next preview of the report too.
    QCOMPARE(f.form.printer().fromPage(), 2);
}

void tst_reportAnteprima::cancelAbandonsThePrintJob()
{
    QTemporaryDir dir;
    Form f;
    f.memos.addMany(200);
    const QString pdf = dir.filePath(QStringLiteral("cancelled.pdf"));
    f.form.printer().setOutputFormat(QPrinter::PdfFormat);
    f.form.printer().setOutputFileName(pdf);
    f.dialogs.cancelAt = 30;
    f.preview([&](ReportPreview &preview) { preview.print(); });
    QVERIFY(f.dialogs.log.contains(QStringLiteral("progress 30")));
    QVERIFY(!f.dialogs.log.contains(QStringLiteral("progress 100")));
    QVERIFY2(pdfPages(pdf) <= 0, "an abandoned job leaves no finished document");
}

void tst_reportAnteprima::loadedReportPrintsItsStoredPages()
{
    QTemporaryDir dir;
    Form f;
    f.memos.addMany(60);
    const QString saved = dir.filePath(QStringLiteral("memo.QRP"));
    f.dialogs.fileName = saved;
    f.preview([&](ReportPreview &preview) {
        preview.window()->action(QStringLiteral("Save Report"))->trigger();
    });

    Form other;
    other.memos.addMany(1); // its own run has one page; the loaded file has three
    const QString pdf = dir.filePath(QStringLiteral("loaded.pdf"));
    other.form.printer().setOutputFormat(QPrinter::PdfFormat);
    other.form.printer().setOutputFileName(pdf);
    other.dialogs.fileName = saved;
    other.preview([&](ReportPreview &preview) {
        preview.window()->action(QStringLiteral("Load Report"))->trigger();
        QCOMPARE(preview.window()->pageText(), QStringLiteral("Page 1 of 3"));
        preview.window()->action(QStringLiteral("Print"))->trigger();
    });
    QCOMPARE(pdfPages(pdf), 3);
}

void tst_reportAnteprima::noUsablePrinterPrintsNothing()
{
    Form f;
    f.memos.addMany(3);
    f.form.printer().setOutputFormat(QPrinter::PdfFormat);
    f.form.printer().setOutputFileName(QString());
    f.preview([&](ReportPreview &preview) { preview.print(); });
    QCOMPARE(f.dialogs.log, QStringList());
    QCOMPARE(f.boxes.log, QStringList());
}

QTEST_MAIN(tst_reportAnteprima)
#include "tst_reportAnteprima.moc"

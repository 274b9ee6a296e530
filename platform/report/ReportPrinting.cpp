#include "platform/report/ReportPrinting.h"

#include "platform/report/FontMeasurer.h"
#include "platform/report/PageRenderer.h"
#include "platform/report/PageSink.h"
#include "platform/report/PageStore.h"
#include "platform/report/PageStyles.h"
#include "platform/report/PreviewDialogs.h"
#include "platform/report/ReportRun.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

namespace pensilio::report {

namespace {

struct PageRange
{
    int from = 1;
    int to = std::numeric_limits<int>::max();
    bool contains(int page) const { return page >= from && page <= to; }
};

PageRange rangeOf(const QPrinter &printer)
{
    PageRange range;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        range.from = printer.fromPage();
        range.to = qMax(printer.fromPage(), printer.toPage());
    }
    return range;
}

// Paints each finished page straight onto the printer; pages outside the range are laid out
// (the next pages depend on them) but not printed.
class PrinterSink final : public PageSink
{
public:
    PrinterSink(QPainter &painter, QPrinter &printer, PageRange range)
        : m_painter(painter), m_printer(printer), m_range(range)
    {}
    PageStyles &styles() override { return m_styles; }
    void pageFinished(int number, QByteArray commands) override
    {
        m_last = number;
        if (!m_range.contains(number))
            return;
        if (m_printed > 0 && !m_printer.newPage()) {
            m_failed = true;
            return;
        }
        PageRenderer renderer(m_painter, m_styles, m_printer.resolution() / 25.4);
        renderer.render(commands);
        ++m_printed;
    }
    bool pastRange() const { return m_last >= m_range.to; }
    bool failed() const { return m_failed; }

private:
    QPainter &m_painter;
    QPrinter &m_printer;
    PageRange m_range;
    PageStyles m_styles;
    int m_printed = 0;
    int m_last = 0;
    bool m_failed = false;
};

bool begin(QPainter &painter, QPrinter &printer)
{
    printer.setFullPage(true); // the pages carry their own margins
    return painter.begin(&printer);
}

PrintOutcome abandon(QPainter &painter, QPrinter &printer,
                     PrintOutcome outcome = PrintOutcome::Cancelled)
{
    printer.abort();
    painter.end();
    // A file cannot be withdrawn from a spooler: a half-written document is removed instead,
    // so nothing remains that looks like the whole report.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
    return outcome;
}

} // namespace

bool isUsablePrinter(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return printer.isValid() && !printer.printerName().isEmpty();
}

PrintOutcome printReport(const ReportTemplate &report, ReportDataSource &source, QPrinter &printer,
                         PrintProgress *progress, const std::function<void()> &dispatch)
{
    if (!isUsablePrinter(printer))
        return PrintOutcome::NoPrinter;
    QPainter painter;
    if (!begin(painter, printer))
        return PrintOutcome::Failed;
    const FontMeasurer measurer(&printer);
    PrinterSink sink(painter, printer, rangeOf(printer));
    ReportRun run(report, source, measurer, sink);
    bool rangeDone = false;
    run.setBeforeRecord([&] {
        if (dispatch)
            dispatch();
        if (progress && progress->isCancelled())
            run.cancel();
        // Nothing after the range's last page is printed, so the run need not go on.
        if (sink.pastRange() || sink.failed()) {
            rangeDone = true;
            run.cancel();
        }
    });
    if (progress) {
        progress->setPercent(0);
        run.setProgress([progress](int percent) { progress->setPercent(percent); });
    }
    const ReportRun::Outcome outcome = run.run();
    if (sink.failed())
        return abandon(painter, printer, PrintOutcome::Failed);
    if (outcome == ReportRun::Outcome::Cancelled && !rangeDone)
        return abandon(painter, printer);
    painter.end();
    return PrintOutcome::Printed;
}

PrintOutcome printPages(const PageStore &store, QPrinter &printer, PrintProgress *progress,
                        const std::function<void()> &dispatch)
{
    if (!isUsablePrinter(printer))
        return PrintOutcome::NoPrinter;
    const PageRange range = rangeOf(printer);
    const int first = qMax(1, range.from);
    const int last = qMin(store.pageCount(), range.to);
    QPainter painter;
    if (!begin(painter, printer))
        return PrintOutcome::Failed;
    if (progress)
        progress->setPercent(0);
    PageRenderer renderer(painter, store.styles(), printer.resolution() / 25.4);
    for (int page = first; page <= last; ++page) {
        if (dispatch)
            dispatch();
        if (progress && progress->isCancelled())
            return abandon(painter, printer);
        if (page > first && !printer.newPage())
            return abandon(painter, printer, PrintOutcome::Failed);
        renderer.render(store.page(page - 1));
        if (progress)
            progress->setPercent((page - first + 1) * 100 / (last - first + 1));
    }
    painter.end();
    return PrintOutcome::Printed;
}

} // namespace pensilio::report

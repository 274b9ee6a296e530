#include "platform/report/ReportPreview.h"

#include "platform/core/MessageBoxes.h"
#include "platform/report/EventPump.h"
#include "platform/report/FontMeasurer.h"
#include "platform/report/PreviewDialogs.h"
#include "platform/report/PreviewWindow.h"
#include "platform/report/ReportPrinting.h"
#include "platform/report/ReportRun.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPrinter>

namespace pensilio::report {

namespace {
// The preview keeps its pages at screen resolution.
constexpr int kScreenDpi = 96;
} // namespace

ReportPreview::ReportPreview(const ReportTemplate &report, ReportDataSource &source,
                             Services services)
    : m_report(report), m_source(source), m_services(std::move(services))
{}

ReportPreview::~ReportPreview() = default;

ReportTemplate ReportPreview::orientedReport() const
{
    ReportTemplate report = m_report;
    // The orientation chosen in printer setup is the report's from then on.
    if (m_services.printer &&
        m_services.printer->pageLayout().orientation() == QPageLayout::Landscape &&
        report.paper.height() > report.paper.width())
        report.paper.transpose();
    return report;
}

void ReportPreview::exec()
{
    const ReportTemplate report = orientedReport();
    m_store.clear();
    m_store.setTitle(report.title);
    m_store.setPaperSize(report.paper);
    m_window = std::make_unique<PreviewWindow>(m_store, m_services.boxes, m_services.dialogs,
                                               m_services.boxTitle);
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    QEventLoop loop;
    connect(m_window.get(), &PreviewWindow::closed, this, [this, &loop] {
        m_closed = true;
        if (m_run)
            m_run->cancel();
        loop.quit();
    });
    connect(m_window.get(), &PreviewWindow::printSetupRequested, this, &ReportPreview::printSetup);
    connect(m_window.get(), &PreviewWindow::printRequested, this, &ReportPreview::print);
    connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    m_window->showMaximized();
    Q_EMIT windowOpened(m_window.get());

    const FontMeasurer measurer(kScreenDpi);
    ReportRun run(report, m_source, measurer, m_store);
    EventPump pump;
    PreviewWindow *window = m_window.get();
    run.setBeforeRecord([&] { pump(); });
    run.setProgress([window](int percent) { window->setProgress(percent); });
    window->setProgress(0);
    m_run = &run;
    const ReportRun::Outcome outcome = run.run();
    m_run = nullptr;

    if (outcome == ReportRun::Outcome::Complete && !m_closed) {
        window->setState(PreviewWindow::State::Complete);
        Q_EMIT runFinished();
        if (!m_closed && !QCoreApplication::closingDown())
            loop.exec();
    }
    m_window->hide();
    m_window.reset();
}

void ReportPreview::printSetup()
{
    if (!m_window || m_window->state() != PreviewWindow::State::Complete || m_printing ||
        !m_services.printer)
        return;
    m_services.dialogs->printSetup(m_window.get(), *m_services.printer, m_store.pageCount());
}

void ReportPreview::print()
{
    if (!m_window || m_window->state() == PreviewWindow::State::Running || m_printing ||
        !m_services.printer)
        return;
    QPrinter &printer = *m_services.printer;
    if (!isUsablePrinter(printer))
        return;
    m_printing = true;
    printer.setDocName(m_report.title);
    std::unique_ptr<PrintProgress> progress = m_services.dialogs->printProgress(m_window.get());
    EventPump pump;
    const std::function<void()> dispatch = [&pump] { pump(); };
    const PrintOutcome outcome =
        m_window->state() == PreviewWindow::State::Loaded
            ? printPages(m_store, printer, progress.get(), dispatch)
            : printReport(orientedReport(), m_source, printer, progress.get(), dispatch);
    progress.reset();
    m_printing = false;
    if (outcome == PrintOutcome::Failed && m_services.boxes)
        m_services.boxes->showMessage(m_services.boxTitle,
                                      QStringLiteral("The report could not be printed."));
}

} // namespace pensilio::report

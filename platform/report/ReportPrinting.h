#pragma once
// Printing: a report runs again straight to the printer at the printer's own resolution, or
// stored pages go out as they are, page by page, over the printer's page range.

#include <functional>

class QPrinter;

namespace pensilio::report {

class PageStore;
class PrintProgress;
class ReportDataSource;
struct ReportTemplate;

enum class PrintOutcome
{
    Printed,
    Cancelled,
    NoPrinter,
    Failed
};

// A printer that can take a job: an installed printer, or a file to print into.
bool isUsablePrinter(const QPrinter &printer);

// 'dispatch' runs before each record and each page, so the progress window can be cancelled.
PrintOutcome printReport(const ReportTemplate &report, ReportDataSource &source, QPrinter &printer,
                         PrintProgress *progress, const std::function<void()> &dispatch);
PrintOutcome printPages(const PageStore &store, QPrinter &printer, PrintProgress *progress,
                        const std::function<void()> &dispatch);

} // namespace pensilio::report

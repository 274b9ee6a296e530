#pragma once
// One run of a banded report over its data source: the title band once, then a detail band per
// record, each on the current page when it fits and on a new page otherwise, with stretching
// texts growing their band line by line and going on at the top of the next page. It draws
// nothing itself: it writes each page's commands and hands the finished page to a sink.

#include "platform/report/LineBreaker.h"
#include "platform/report/ReportTemplate.h"

#include <QByteArray>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace pensilio::report {

class PageSink;
class PageWriter;
class ReportDataSource;
class TextMeasurer;

class ReportRun
{
public:
    enum class Outcome
    {
        Complete,
        Cancelled
    };

    ReportRun(const ReportTemplate &report, ReportDataSource &source, const TextMeasurer &measurer,
              PageSink &sink);
    ~ReportRun();
    ReportRun(const ReportRun &) = delete;
    ReportRun &operator=(const ReportRun &) = delete;

    // Called before each record, to let pending events through; it may cancel the run.
    void setBeforeRecord(std::function<void()> hook) { m_beforeRecord = std::move(hook); }
    // Called whenever the whole-number percentage of records placed changes.
    void setProgress(std::function<void(int)> hook) { m_progress = std::move(hook); }

    Outcome run();
    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }
    int pageNumber() const { return m_pageNumber; }

private:
    // An element as one run needs it: everything that does not change from record to record
    // is worked out once, and the buffers are kept.
    struct Prepared
    {
        const ReportElement *element = nullptr;
        bool isText = false;
        int field = -1;
        int font = 0, color = 0, background = 0;
        quint8 flags = 0;
        double lineHeight = 0;
        int linesInBox = 0;
        std::unique_ptr<LineBreaker> breaker;
        QByteArray buffer;
        QByteArrayView text;
        std::vector<LineSpan> lines;
        size_t next = 0;
        size_t take = 0;
    };
    struct PreparedBand
    {
        const ReportBand *band = nullptr;
        int background = 0;
        std::vector<Prepared> elements;
    };

    void prepare();
    void placeBand(PreparedBand &band, bool withValues);
    void startPage();
    void finishPage();
    void printElement(PageWriter &writer, const Prepared &p, double bandX, double bandY);
    void loadLines(Prepared &p, bool withValues);
    double pageBottom() const { return m_report.paper.height() - m_report.bottomMargin; }

    const ReportTemplate m_report; // a copy: the run never depends on its caller keeping it
    ReportDataSource &m_source;
    const TextMeasurer &m_measurer;
    PageSink &m_sink;
    std::function<void()> m_beforeRecord;
    std::function<void(int)> m_progress;
    std::vector<PreparedBand> m_bands;

    QByteArray m_page;
    bool m_pageOpen = false;
    int m_pageNumber = 0;
    double m_y = 0;
    bool m_cancelled = false;
};

} // namespace pensilio::report

#include "platform/report/ReportRun.h"

#include "platform/report/PageCommands.h"
#include "platform/report/PageSink.h"
#include "platform/report/PageStyles.h"
#include "platform/report/ReportDataSource.h"
#include "platform/report/TextMeasurer.h"

#include <algorithm>
#include <cmath>

namespace pensilio::report {

namespace {

// Millimetre sums such as 25 bands of 9.79 mm must not miss the page by a rounding error.
constexpr double kEpsilon = 1e-6;
// Room for a page of commands, so that a page grows without copying itself over and over.
constexpr qsizetype kPageReserve = 16 * 1024;

int linesInHeight(double height, double lineHeight)
{
    if (lineHeight <= 0)
        return 0;
    return std::max(0, static_cast<int>(std::floor((height + kEpsilon) / lineHeight)));
}

} // namespace

ReportRun::ReportRun(const ReportTemplate &report, ReportDataSource &source,
                     const TextMeasurer &measurer, PageSink &sink)
    : m_report(report), m_source(source), m_measurer(measurer), m_sink(sink)
{}

ReportRun::~ReportRun() = default;

void ReportRun::prepare()
{
    PageStyles &styles = m_sink.styles();
    m_bands.clear();
    m_bands.reserve(m_report.bands.size());
    for (const ReportBand &band : m_report.bands) {
        PreparedBand &pb = m_bands.emplace_back();
        pb.band = &band;
        pb.background = styles.colorIndex(band.background.rgb());
        pb.elements.reserve(band.elements.size());
        for (const ReportElement &element : band.elements) {
            Prepared &p = pb.elements.emplace_back();
            p.element = &element;
            p.color = styles.colorIndex(element.color.rgb());
            p.isText = element.kind != ElementKind::HorizontalLine;
            if (!p.isText)
                continue;
            if (element.kind == ElementKind::FieldText)
                p.field = m_source.fieldIndex(element.field);
            p.font = styles.fontIndex(element.font);
            p.background = element.transparent ? 0 : styles.colorIndex(element.background.rgb());
            p.flags = static_cast<quint8>(element.transparent ? TextFlag::None : TextFlag::Opaque);
            if (element.alignment == Alignment::Centre)
                p.flags |= static_cast<quint8>(TextFlag::Centred);
            p.lineHeight = m_measurer.lineHeight(element.font);
            p.linesInBox = linesInHeight(element.height, p.lineHeight);
            const bool whole = element.sizing == Sizing::SizedToText || !element.wordWrap;
            p.breaker = std::make_unique<LineBreaker>(
                element.font, whole ? kUnlimitedWidth : element.width, m_measurer);
        }
    }
}

ReportRun::Outcome ReportRun::run()
{
    m_pageNumber = 0;
    m_pageOpen = false;
    prepare();
    PreparedBand *title = nullptr;
    PreparedBand *detail = nullptr;
    for (PreparedBand &band : m_bands) {
        if (band.band->kind == BandKind::Title && !title)
            title = &band;
        if (band.band->kind == BandKind::Detail && !detail)
            detail = &band;
    }

    m_source.first();
    if (title)
        placeBand(*title, false);
    const int count = m_source.recordCount();
    if (m_source.eof() && m_report.printIfEmpty && detail)
        placeBand(*detail, false);
    int placed = 0;
    int percent = 0;
    while (!m_source.eof()) {
        if (m_beforeRecord)
            m_beforeRecord();
        if (m_cancelled)
            return Outcome::Cancelled;
        if (detail)
            placeBand(*detail, true);
        m_source.next();
        ++placed;
        const int now = count > 0 ? static_cast<int>(qint64(placed) * 100 / count) : 100;
        if (now != percent && m_progress) {
            percent = now;
            m_progress(percent);
        }
    }
    if (!m_pageOpen)
        startPage();
    finishPage();
    return Outcome::Complete;
}

void ReportRun::startPage()
{
    if (m_pageOpen)
        finishPage();
    // One buffer serves every page; a finished page takes a copy of exactly its size.
    if (m_page.capacity() < kPageReserve)
        m_page.reserve(kPageReserve);
    m_page.truncate(0);
    m_pageOpen = true;
    ++m_pageNumber;
    m_y = m_report.topMargin;
}

void ReportRun::finishPage()
{
    if (!m_pageOpen)
        return;
    m_pageOpen = false;
    m_sink.pageFinished(m_pageNumber, QByteArray(m_page.constData(), m_page.size()));
}

void ReportRun::loadLines(Prepared &p, bool withValues)
{
    p.lines.clear();
    p.next = 0;
    p.text = {};
    const ReportElement &element = *p.element;
    if (element.kind == ElementKind::Label) {
        p.text = p.breaker->breakText(element.text, p.lines);
        return;
    }
    if (!withValues || p.field < 0)
        return;
    const std::optional<QByteArrayView> value = m_source.fieldText(p.field, p.buffer);
    if (value)
        p.text = p.breaker->breakText(*value, p.lines);
}

void ReportRun::printElement(PageWriter &writer, const Prepared &p, double bandX, double bandY)
{
    const ReportElement &element = *p.element;
    const double x = bandX + element.left;
    if (!p.isText) {
        const double y = bandY + element.top + element.height / 2;
        writer.hairline(x, y, x + element.width, y, p.color);
        return;
    }
    double width = element.width;
    if (element.sizing == Sizing::SizedToText) {
        width = 0;
        for (size_t i = p.next; i < p.next + p.take; ++i)
            width = std::max(
                width, p.breaker->widthOf(p.text.sliced(p.lines[i].start, p.lines[i].length)));
    }
    for (size_t i = 0; i < p.take; ++i) {
        const LineSpan &line = p.lines[p.next + i];
        const QRectF box(x, bandY + element.top + static_cast<double>(i) * p.lineHeight, width,
                         p.lineHeight);
        writer.text(box, p.font, p.color, static_cast<TextFlag>(p.flags), p.background,
                    p.text.sliced(line.start, line.length));
    }
}

void ReportRun::placeBand(PreparedBand &pb, bool withValues)
{
    const ReportBand &band = *pb.band;
    // Every text's lines first: a stretching one decides the band's height before anything of
    // the band is written, so the background goes under the texts.
    for (Prepared &p : pb.elements)
        if (p.isText)
            loadLines(p, withValues);

    bool firstPart = true;
    for (;;) {
        if (!m_pageOpen || pageBottom() - m_y + kEpsilon < band.height || !firstPart)
            startPage();
        const bool freshPage = std::abs(m_y - m_report.topMargin) < kEpsilon;
        const double room = pageBottom() - m_y;

        // How many lines each text prints in this part, and how much the band grows for them.
        double growth = 0;
        bool more = false;
        for (Prepared &p : pb.elements) {
            p.take = 0;
            if (!p.isText)
                continue;
            const size_t left = p.lines.size() - p.next;
            if (p.element->sizing != Sizing::Stretching) {
                p.take = firstPart ? std::min(left, static_cast<size_t>(p.linesInBox)) : 0;
                continue;
            }
            const int extraRoom = linesInHeight(room - band.height, p.lineHeight);
            size_t n = std::min(left, static_cast<size_t>(p.linesInBox + std::max(0, extraRoom)));
            // A band that cannot hold even one line on an empty page prints one anyway, so a
            // run always comes to an end.
            if (n == 0 && left > 0 && freshPage)
                n = 1;
            p.take = n;
            const int grownLines = std::max(0, static_cast<int>(n) - p.linesInBox);
            growth = std::max(growth, grownLines * p.lineHeight);
            if (n < left)
                more = true;
        }

        const double height = band.height + growth;
        const double x = m_report.leftMargin;
        PageWriter writer(m_page);
        writer.fillRect(QRectF(x, m_y, band.width, height), pb.background);
        for (Prepared &p : pb.elements) {
            if (!firstPart && p.element->sizing != Sizing::Stretching)
                continue;
            printElement(writer, p, x, m_y);
            p.next += p.take;
        }
        m_y += height;
        if (!more)
            return;
        firstPart = false;
    }
}

} // namespace pensilio::report

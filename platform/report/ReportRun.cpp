#include "platform/report/ReportRun.h"

#include "platform/report/LineBreaker.h"
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

int linesInHeight(double height, double lineHeight)
{
    if (lineHeight <= 0)
        return 0;
    return std::max(0, static_cast<int>(std::floor((height + kEpsilon) / lineHeight)));
}

bool isText(const ReportElement &element)
{
    return element.kind != ElementKind::HorizontalLine;
}

} // namespace

ReportRun::ReportRun(const ReportTemplate &report, ReportDataSource &source,
                     const TextMeasurer &measurer, PageSink &sink)
    : m_report(report), m_source(source), m_measurer(measurer), m_sink(sink)
{
    for (const ReportBand &band : m_report.bands) {
        std::vector<int> fields;
        for (const ReportElement &element : band.elements)
            fields.push_back(
                element.kind == ElementKind::FieldText ? m_source.fieldIndex(element.field) : -1);
        m_fieldOf.push_back(std::move(fields));
    }
}

ReportRun::~ReportRun() = default;

ReportRun::Outcome ReportRun::run()
{
    m_pageNumber = 0;
    m_pageOpen = false;
    const auto bandIndex = [this](BandKind kind) -> std::optional<size_t> {
        for (size_t i = 0; i < m_report.bands.size(); ++i)
            if (m_report.bands[i].kind == kind)
                return i;
        return std::nullopt;
    };
    const std::optional<size_t> title = bandIndex(BandKind::Title);
    const std::optional<size_t> detail = bandIndex(BandKind::Detail);

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
    m_page.clear();
    m_pageOpen = true;
    ++m_pageNumber;
    m_y = m_report.topMargin;
}

void ReportRun::finishPage()
{
    if (!m_pageOpen)
        return;
    m_pageOpen = false;
    m_page.squeeze();
    m_sink.pageFinished(m_pageNumber, std::move(m_page));
    m_page = QByteArray();
}

std::vector<QByteArray> ReportRun::linesOf(size_t bandIndex, size_t elementIndex, bool withValues)
{
    const ReportElement &element = m_report.bands[bandIndex].elements[elementIndex];
    QByteArray text;
    if (element.kind == ElementKind::Label) {
        text = element.text;
    } else if (withValues) {
        const int field = m_fieldOf[bandIndex][elementIndex];
        if (field < 0)
            return {};
        std::optional<QByteArray> value = m_source.fieldText(field);
        if (!value)
            return {};
        text = std::move(*value);
    } else {
        return {};
    }
    const bool whole = element.sizing == Sizing::SizedToText || !element.wordWrap;
    return breakIntoLines(text, whole ? kUnlimitedWidth : element.width, element.font, m_measurer);
}

void ReportRun::printElement(PageWriter &writer, const ReportElement &element, double bandX,
                             double bandY, const std::vector<QByteArray> &lines, size_t from,
                             size_t count)
{
    PageStyles &styles = m_sink.styles();
    const double x = bandX + element.left;
    if (element.kind == ElementKind::HorizontalLine) {
        const double y = bandY + element.top + element.height / 2;
        writer.hairline(x, y, x + element.width, y, styles.colorIndex(element.color.rgb()));
        return;
    }
    if (count == 0)
        return;
    const int font = styles.fontIndex(element.font);
    const int color = styles.colorIndex(element.color.rgb());
    const int background = element.transparent ? 0 : styles.colorIndex(element.background.rgb());
    const double lineHeight = m_measurer.lineHeight(element.font);
    double width = element.width;
    if (element.sizing == Sizing::SizedToText) {
        width = 0;
        for (size_t i = from; i < from + count; ++i)
            width = std::max(width, m_measurer.textWidth(element.font, lines[i]));
    }
    auto flags = static_cast<quint8>(element.transparent ? TextFlag::None : TextFlag::Opaque);
    if (element.alignment == Alignment::Centre)
        flags |= static_cast<quint8>(TextFlag::Centred);
    for (size_t i = 0; i < count; ++i) {
        const QRectF box(x, bandY + element.top + static_cast<double>(i) * lineHeight, width,
                         lineHeight);
        writer.text(box, font, color, static_cast<TextFlag>(flags), background, lines[from + i]);
    }
}

void ReportRun::placeBand(size_t bandIndex, bool withValues)
{
    const ReportBand &band = m_report.bands[bandIndex];
    const size_t elementCount = band.elements.size();

    // Every text's lines first: a stretching one decides the band's height before anything of
    // the band is written, so the background goes under the texts.
    std::vector<std::vector<QByteArray>> lines(elementCount);
    std::vector<size_t> next(elementCount, 0);
    for (size_t i = 0; i < elementCount; ++i)
        if (isText(band.elements[i]))
            lines[i] = linesOf(bandIndex, i, withValues);

    bool firstPart = true;
    for (;;) {
        if (!m_pageOpen || pageBottom() - m_y + kEpsilon < band.height || !firstPart)
            startPage();
        const bool freshPage = std::abs(m_y - m_report.topMargin) < kEpsilon;
        const double room = pageBottom() - m_y;

        // How many lines each text prints in this part, and how much the band grows for them.
        std::vector<size_t> take(elementCount, 0);
        double growth = 0;
        bool more = false;
        for (size_t i = 0; i < elementCount; ++i) {
            const ReportElement &element = band.elements[i];
            if (!isText(element))
                continue;
            const size_t left = lines[i].size() - next[i];
            const double lineHeight = m_measurer.lineHeight(element.font);
            const int inBox = linesInHeight(element.height, lineHeight);
            if (element.sizing != Sizing::Stretching) {
                take[i] = firstPart ? std::min(left, static_cast<size_t>(inBox)) : 0;
                continue;
            }
            const int extraRoom = linesInHeight(room - band.height, lineHeight);
            size_t n = std::min(left, static_cast<size_t>(inBox + std::max(0, extraRoom)));
            // A band that cannot hold even one line on an empty page prints one anyway, so a
            // run always comes to an end.
            if (n == 0 && left > 0 && freshPage)
                n = 1;
            take[i] = n;
            growth =
                std::max(growth, std::max(0.0, static_cast<double>(static_cast<int>(n) - inBox)) *
                                     lineHeight);
            if (n < left)
                more = true;
        }

        const double height = band.height + growth;
        const double x = m_report.leftMargin;
        PageWriter writer(m_page);
        writer.fillRect(QRectF(x, m_y, band.width, height),
                        m_sink.styles().colorIndex(band.background.rgb()));
        for (size_t i = 0; i < elementCount; ++i) {
            const ReportElement &element = band.elements[i];
            if (!firstPart && element.sizing != Sizing::Stretching)
                continue;
            printElement(writer, element, x, m_y, lines[i], next[i], take[i]);
            next[i] += take[i];
        }
        m_y += height;
        if (!more)
            return;
        firstPart = false;
    }
}

} // namespace pensilio::report

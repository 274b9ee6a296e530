#include "platform/report/LineBreaker.h"

#include <cmath>

namespace pensilio::report {

namespace {
// Tolerates the rounding of summed advances, so a text exactly as wide as its box stays whole.
constexpr double kSlack = 1e-9;
constexpr double kUnitsPerMm = 1e6;
// Far wider than any paper, yet with room to add a thousand advances without overflow.
constexpr qint64 kUnlimitedUnits = qint64(1) << 60;
} // namespace

LineBreaker::LineBreaker(const FontSpec &font, double width, const TextMeasurer &measurer)
    : m_font(font), m_width(width), m_measurer(measurer)
{
    if (const std::array<double, 256> *advances = measurer.advances(font)) {
        m_haveAdvances = true;
        for (size_t i = 0; i < advances->size(); ++i)
            m_advances[i] = static_cast<Units>(std::llround((*advances)[i] * kUnitsPerMm));
        m_widthUnits = width >= static_cast<double>(kUnlimitedUnits) / kUnitsPerMm
                           ? kUnlimitedUnits
                           : static_cast<Units>(std::llround(width * kUnitsPerMm));
    }
}

LineBreaker::Units LineBreaker::unitsOf(QByteArrayView text) const
{
    Units units = 0;
    for (const char c : text)
        units += m_advances[static_cast<unsigned char>(c)];
    return units;
}

double LineBreaker::widthOf(QByteArrayView text) const
{
    if (!m_haveAdvances)
        return m_measurer.textWidth(m_font, text);
    return static_cast<double>(unitsOf(text)) / kUnitsPerMm;
}

void LineBreaker::fillLine(QByteArrayView text, qsizetype begin, qsizetype end,
                           std::vector<LineSpan> &lines) const
{
    // With known advances widths are integers and fit exactly; otherwise the measurer's
    // doubles are compared with a little slack.
    const bool units = m_haveAdvances;
    const double limit = units ? static_cast<double>(m_widthUnits) : m_width + kSlack;
    const auto widthOfRange = [&](qsizetype from, qsizetype to) {
        return units ? static_cast<double>(unitsOf(text.sliced(from, to - from)))
                     : m_measurer.textWidth(m_font, text.sliced(from, to - from));
    };

    // The line being filled runs from 'lineStart' to 'pos'; 'lineWidth' is its width.
    qsizetype lineStart = begin;
    double lineWidth = 0;
    qsizetype pos = begin;
    while (pos < end) {
        // The blank or hyphen that ends a word stays with it.
        qsizetype wordEnd = pos;
        double wordWidth;
        if (units) {
            Units sum = 0;
            while (wordEnd < end) {
                const char c = text[wordEnd++];
                sum += m_advances[static_cast<unsigned char>(c)];
                if (c == ' ' || c == '-')
                    break;
            }
            wordWidth = static_cast<double>(sum);
        } else {
            while (wordEnd < end) {
                const char c = text[wordEnd++];
                if (c == ' ' || c == '-')
                    break;
            }
            wordWidth = widthOfRange(pos, wordEnd);
        }
        if (lineWidth + wordWidth <= limit) {
            lineWidth += wordWidth;
        } else {
            if (pos > lineStart) {
                lines.push_back({lineStart, pos - lineStart});
                lineStart = pos;
                lineWidth = 0;
            }
            if (wordWidth <= limit) {
                lineWidth = wordWidth;
            } else {
                // Every piece holds at least one character, so even an element narrower than
                // one character comes to an end.
                double pieceWidth = 0;
                for (qsizetype i = pos; i < wordEnd; ++i) {
                    const double w = widthOfRange(i, i + 1);
                    if (i > lineStart && pieceWidth + w > limit) {
                        lines.push_back({lineStart, i - lineStart});
                        lineStart = i;
                        pieceWidth = 0;
                    }
                    pieceWidth += w;
                }
                lineWidth = pieceWidth;
            }
        }
        pos = wordEnd;
    }
    lines.push_back({lineStart, end - lineStart});
}

QByteArrayView LineBreaker::breakText(QByteArrayView text, std::vector<LineSpan> &lines)
{
    lines.clear();
    if (text.contains('\n')) {
        m_withoutFeeds.resize(text.size());
        char *out = m_withoutFeeds.data();
        for (const char c : text)
            if (c != '\n')
                *out++ = c;
        m_withoutFeeds.truncate(out - m_withoutFeeds.constData());
        text = m_withoutFeeds;
    }
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\r', start);
        if (end < 0)
            end = text.size();
        fillLine(text, start, end, lines);
        start = end + 1;
    }
    return text;
}

std::vector<QByteArray> breakIntoLines(QByteArrayView text, double width, const FontSpec &font,
                                       const TextMeasurer &measurer)
{
    LineBreaker breaker(font, width, measurer);
    std::vector<LineSpan> spans;
    const QByteArrayView broken = breaker.breakText(text, spans);
    std::vector<QByteArray> lines;
    for (const LineSpan &span : spans)
        lines.push_back(broken.sliced(span.start, span.length).toByteArray());
    return lines;
}

} // namespace pensilio::report

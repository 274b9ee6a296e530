#include "platform/report/LineBreaker.h"

namespace pensilio::report {

namespace {
// Tolerates the rounding of summed advances, so a text exactly as wide as its box stays whole.
constexpr double kSlack = 1e-9;
} // namespace

LineBreaker::LineBreaker(const FontSpec &font, double width, const TextMeasurer &measurer)
    : m_font(font), m_width(width), m_measurer(measurer), m_advances(measurer.advances(font))
{}

double LineBreaker::widthOf(QByteArrayView text) const
{
    if (!m_advances)
        return m_measurer.textWidth(m_font, text);
    double width = 0;
    for (const char c : text)
        width += (*m_advances)[static_cast<unsigned char>(c)];
    return width;
}

void LineBreaker::fillLine(QByteArrayView text, qsizetype begin, qsizetype end,
                           std::vector<LineSpan> &lines) const
{
    // The line being filled runs from 'lineStart' to 'pos'; 'lineWidth' is its width.
    qsizetype lineStart = begin;
    double lineWidth = 0;
    qsizetype pos = begin;
    while (pos < end) {
        // The blank or hyphen that ends a word stays with it.
        qsizetype wordEnd = pos;
        double wordWidth = 0;
        if (m_advances) {
            while (wordEnd < end) {
                const char c = text[wordEnd++];
                wordWidth += (*m_advances)[static_cast<unsigned char>(c)];
                if (c == ' ' || c == '-')
                    break;
            }
        } else {
            while (wordEnd < end) {
                const char c = text[wordEnd++];
                if (c == ' ' || c == '-')
                    break;
            }
            wordWidth = widthOf(text.sliced(pos, wordEnd - pos));
        }
        if (lineWidth + wordWidth <= m_width + kSlack) {
            lineWidth += wordWidth;
        } else {
            if (pos > lineStart) {
                lines.push_back({lineStart, pos - lineStart});
                lineStart = pos;
                lineWidth = 0;
            }
            if (wordWidth <= m_width + kSlack) {
                lineWidth = wordWidth;
            } else {
                // Every piece holds at least one character, so even an element narrower than
                // one character comes to an end.
                double pieceWidth = 0;
                for (qsizetype i = pos; i < wordEnd; ++i) {
                    const double w = widthOf(text.sliced(i, 1));
                    if (i > lineStart && pieceWidth + w > m_width + kSlack) {
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

#include "platform/report/LineBreaker.h"

namespace pensilio::report {

namespace {

// Tolerates the rounding of summed advances, so a text exactly as wide as its box stays whole.
constexpr double kSlack = 1e-9;

class LineFiller
{
public:
    LineFiller(double width, const FontSpec &font, const TextMeasurer &measurer,
               std::vector<QByteArray> &out)
        : m_width(width), m_font(font), m_measurer(measurer), m_out(out)
    {}

    void addWord(QByteArrayView word)
    {
        const double wordWidth = m_measurer.textWidth(m_font, word);
        if (m_lineWidth + wordWidth <= m_width + kSlack) {
            append(word, wordWidth);
            return;
        }
        if (!m_line.isEmpty())
            closeLine();
        if (wordWidth <= m_width + kSlack) {
            append(word, wordWidth);
            return;
        }
        cutWord(word);
    }

    void closeLine()
    {
        m_out.push_back(m_line);
        m_line.clear();
        m_lineWidth = 0;
    }

private:
    void append(QByteArrayView word, double wordWidth)
    {
        m_line.append(word);
        m_lineWidth += wordWidth;
    }

    // Every piece holds at least one character, so even an element narrower than one character
    // comes to an end.
    void cutWord(QByteArrayView word)
    {
        qsizetype start = 0;
        double pieceWidth = 0;
        for (qsizetype i = 0; i < word.size(); ++i) {
            const double w = m_measurer.textWidth(m_font, word.sliced(i, 1));
            if (i > start && pieceWidth + w > m_width + kSlack) {
                append(word.sliced(start, i - start), pieceWidth);
                closeLine();
                start = i;
                pieceWidth = 0;
            }
            pieceWidth += w;
        }
        append(word.sliced(start), pieceWidth);
    }

    double m_width;
    const FontSpec &m_font;
    const TextMeasurer &m_measurer;
    std::vector<QByteArray> &m_out;
    QByteArray m_line;
    double m_lineWidth = 0;
};

void fillLine(QByteArrayView line, LineFiller &filler)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ' || c == '-') {
            filler.addWord(line.sliced(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < line.size())
        filler.addWord(line.sliced(start));
    filler.closeLine();
}

} // namespace

std::vector<QByteArray> breakIntoLines(QByteArrayView text, double width, const FontSpec &font,
                                       const TextMeasurer &measurer)
{
    std::vector<QByteArray> lines;
    if (text.isEmpty())
        return lines;
    QByteArray withoutFeeds;
    if (text.contains('\n')) {
        withoutFeeds = text.toByteArray();
        withoutFeeds.replace("\n", "");
        text = withoutFeeds;
    }
    LineFiller filler(width, font, measurer, lines);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\r', start);
        if (end < 0)
            end = text.size();
        fillLine(text.sliced(start, end - start), filler);
        start = end + 1;
    }
    return lines;
}

} // namespace pensilio::report

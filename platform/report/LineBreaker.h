#pragma once
// Breaking a text into the lines an element prints: carriage returns end lines, line feeds are
// dropped, words end after a blank or a hyphen and move whole to the next line when they do not
// fit, and a word wider than the element is cut between characters.

#include "platform/report/TextMeasurer.h"

#include <QByteArray>
#include <QByteArrayView>
#include <limits>
#include <vector>

namespace pensilio::report {

constexpr double kUnlimitedWidth = std::numeric_limits<double>::infinity();

struct LineSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
};

// One element's breaker, made once per run: it reads the font's advances once and keeps its
// buffers, so a million texts break without allocating.
class LineBreaker
{
public:
    LineBreaker(const FontSpec &font, double width, const TextMeasurer &measurer);

    // Fills 'lines' with spans of the returned text, which is 'text' itself unless line feeds
    // had to be dropped. A text ending in a carriage return gives no empty line after it; an
    // empty text gives none.
    QByteArrayView breakText(QByteArrayView text, std::vector<LineSpan> &lines);
    double widthOf(QByteArrayView text) const;

private:
    void fillLine(QByteArrayView text, qsizetype begin, qsizetype end,
                  std::vector<LineSpan> &lines) const;

    // Widths go in whole millionths of a millimetre when the advances are known: integer sums
    // are exact and quicker than adding doubles one character after another.
    using Units = qint64;
    Units unitsOf(QByteArrayView text) const;

    FontSpec m_font;
    double m_width;
    const TextMeasurer &m_measurer;
    bool m_haveAdvances = false;
    std::array<Units, 256> m_advances{};
    Units m_widthUnits = 0;
    QByteArray m_withoutFeeds;
};

// The lines as texts of their own, for callers that keep them.
std::vector<QByteArray> breakIntoLines(QByteArrayView text, double width, const FontSpec &font,
                                       const TextMeasurer &measurer);

} // namespace pensilio::report

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

// A text ending in a carriage return gives no empty line after it; an empty text gives none.
std::vector<QByteArray> breakIntoLines(QByteArrayView text, double width, const FontSpec &font,
                                       const TextMeasurer &measurer);

} // namespace pensilio::report

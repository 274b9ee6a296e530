#pragma once
// How wide a text is and how tall its line is on one output device, in millimetres. The layout
// asks only this, so pagination runs without a screen and tests can give exact metrics.

#include "platform/report/ReportTemplate.h"

#include <QByteArrayView>
#include <array>

namespace pensilio::report {

class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    // Width of Windows-1252 text in the font.
    virtual double textWidth(const FontSpec &font, QByteArrayView text) const = 0;
    // Distance between two lines of the font.
    virtual double lineHeight(const FontSpec &font) const = 0;
    // The width of each of the 256 characters, when widths simply add up; none otherwise.
    virtual const std::array<double, 256> *advances(const FontSpec &font) const
    {
        Q_UNUSED(font)
        return nullptr;
    }
};

} // namespace pensilio::report

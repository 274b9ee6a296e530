#pragma once
// The fonts and colours that the drawing commands of a set of pages refer to by number, so a
// page holds each only once however many texts use it.

#include "platform/report/ReportTemplate.h"

#include <QRgb>
#include <vector>

namespace pensilio::report {

class PageStyles
{
public:
    int fontIndex(const FontSpec &font);
    int colorIndex(QRgb color);

    const std::vector<FontSpec> &fonts() const { return m_fonts; }
    const std::vector<QRgb> &colors() const { return m_colors; }
    void clear();

private:
    std::vector<FontSpec> m_fonts;
    std::vector<QRgb> m_colors;
    int m_lastFont = -1;
};

} // namespace pensilio::report

#include "platform/report/PageStyles.h"

namespace pensilio::report {

int PageStyles::fontIndex(const FontSpec &font)
{
    if (m_lastFont >= 0 && m_fonts[static_cast<size_t>(m_lastFont)] == font)
        return m_lastFont;
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i] == font) {
            m_lastFont = static_cast<int>(i);
            return m_lastFont;
        }
    }
    m_fonts.push_back(font);
    m_lastFont = static_cast<int>(m_fonts.size()) - 1;
    return m_lastFont;
}

int PageStyles::colorIndex(QRgb color)
{
    for (size_t i = 0; i < m_colors.size(); ++i)
        if (m_colors[i] == color)
            return static_cast<int>(i);
    m_colors.push_back(color);
    return static_cast<int>(m_colors.size()) - 1;
}

void PageStyles::clear()
{
    m_fonts.clear();
    m_colors.clear();
    m_lastFont = -1;
}

} // namespace pensilio::report

#include "platform/grid/HtmlCellStyle.h"

#include "platform/core/Error.h"

#include <QHash>

namespace pensilio::grid {

size_t HtmlCellStyle::hash() const
{
    size_t h = qHash(fontName);
    auto mix = [&h](size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
    mix(size_t(alignment));
    mix(fontStyle);
    mix(fontColor);
    mix(size_t(fontSize));
    mix(size_t(charset));
    for (const HtmlBorder &b : borders) {
        mix(b.isDefault);
        mix(size_t(b.width));
        mix(b.color);
    }
    mix(size_t(brushStyle));
    mix(background);
    mix(foreground);
    return h;
}

int HtmlStyleTable::add(const HtmlCellStyle &style)
{
    // The hash finds the candidate; the map's equality makes the full comparison.
    const auto [it, inserted] = m_index.try_emplace(style, count());
    if (inserted)
        m_styles.push_back(style);
    return it->second;
}

const HtmlCellStyle &HtmlStyleTable::at(int index) const
{
    if (index < 0 || index >= count())
        throw Error(QStringLiteral("Invalid style index %1").arg(index));
    return m_styles[static_cast<size_t>(index)];
}

} // namespace pensilio::grid

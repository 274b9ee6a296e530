#pragma once
// The look of one part of the grid (cells, headers, indicator, footers): background, text
// colour and font, each either set or left to the desktop's palette and the widget's font.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <optional>

namespace pensilio::grid {

// A fixed RGB colour or a role of the desktop's palette, resolved when painting so that a
// changed colour scheme shows at once.
class ColorSpec
{
public:
    ColorSpec() = default;
    ColorSpec(QColor rgb) : m_rgb(rgb) {}
    ColorSpec(QPalette::ColorRole role) : m_role(role), m_usesRole(true) {}

    bool isSet() const { return m_usesRole || m_rgb.isValid(); }
    QColor resolve(const QPalette &palette, QColor fallback) const
    {
        if (m_usesRole)
            return palette.color(QPalette::Active, m_role);
        return m_rgb.isValid() ? m_rgb : fallback;
    }

private:
    QColor m_rgb;
    QPalette::ColorRole m_role = QPalette::NoRole;
    bool m_usesRole = false;
};

struct GridStyle
{
    ColorSpec background;
    ColorSpec textColor;
    QString fontFamily; // empty: the widget's font family
    int pixelSize = 0;  // 0: the widget's font size
    bool bold = false;

    QFont font(const QFont &base) const
    {
        QFont f = base;
        if (!fontFamily.isEmpty())
            f.setFamilies({fontFamily});
        if (pixelSize > 0)
            f.setPixelSize(pixelSize);
        f.setBold(bold);
        return f;
    }
};

// The view-wide styles; a column's own style, when set, wins over these.
struct GridViewStyles
{
    std::optional<GridStyle> content;
    std::optional<GridStyle> header;
    std::optional<GridStyle> indicator;
    std::optional<GridStyle> footer;
    std::optional<GridStyle> group;
};

} // namespace pensilio::grid

#pragma once
// Forms give their fonts as a family and a character height in pixels, as the original layouts do.

#include <QFont>
#include <QString>

namespace pensilio::widgets {

inline QFont pixelFont(const QString &family, int pixels, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace pensilio::widgets

#pragma once
// Where a drop-down (a menu, a calendar) opens next to the control it belongs to: below it, or
// above it when the screen has no room below, and always inside the available screen area.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace pensilio::widgets {

enum class PopupAlignment
{
    Centred,
    Left
};

// 'anchor' and 'available' in global coordinates; returns the popup's top-left corner.
QPoint popupPosition(const QRect &anchor, const QSize &popup, const QRect &available,
                     PopupAlignment alignment);

} // namespace pensilio::widgets

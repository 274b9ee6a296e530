#include "platform/widgets/PopupPlacement.h"

#include <algorithm>

namespace pensilio::widgets {

QPoint popupPosition(const QRect &anchor, const QSize &popup, const QRect &available,
                     PopupAlignment alignment)
{
    int x = alignment == PopupAlignment::Centred
                ? anchor.left() + (anchor.width() - popup.width()) / 2
                : anchor.left();
    // Kept inside the screen sideways; a popup wider than the screen starts at its left edge.
    x = std::max(available.left(),
                 std::min(x, available.left() + available.width() - popup.width()));

    const int below = anchor.top() + anchor.height();
    const int roomBelow = available.top() + available.height() - below;
    const int roomAbove = anchor.top() - available.top();
    int y = below;
    if (popup.height() > roomBelow) {
        if (popup.height() <= roomAbove || roomAbove > roomBelow)
            y = anchor.top() - popup.height();
        // On neither side does it fit: it is pushed back on the screen, covering the control.
        y = std::max(available.top(),
                     std::min(y, available.top() + available.height() - popup.height()));
    }
    return {x, y};
}

} // namespace pensilio::widgets

#pragma once
// Screen-reader support for the widgets whose Qt base class would describe them wrongly: the
// hyperlink label as a link, the split button as a button with a menu, the panel by its caption.

namespace pensilio::widgets {

// Registers the accessibility factory once; every widget of this folder calls it when built.
void installWidgetsAccessibility();

} // namespace pensilio::widgets

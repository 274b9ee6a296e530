#pragma once
// The switches of a banded view: which parts show and what the user may do.

namespace pensilio::grid {

enum class GroupFooterMode
{
    Never,
    WhenExpanded,
    Always
};

struct GridViewOptions
{
    bool groupByBox = true;
    bool bandHeaders = true;
    bool columnHeaders = true;
    bool indicator = true;
    bool columnAutoWidth = false;
    bool hideSelection = false; // no highlight while the widget lacks the keyboard focus
    bool deleting = true;       // Delete and Ctrl+Delete remove the focused record at once
    GroupFooterMode groupFooters = GroupFooterMode::Never;
};

} // namespace pensilio::grid

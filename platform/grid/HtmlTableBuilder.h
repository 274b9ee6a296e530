#pragma once
// Lays a banded view out as a table of cells, the way it looks on screen: layout columns from
// the edges of the view's column geometry, a band header row, the column header rows, then each
// row of the view (group rows, records, group footers), with the look of each part as a style.

#include "platform/grid/GridLayout.h"
#include "platform/grid/HtmlCellStyle.h"
#include "platform/grid/HtmlCellTable.h"

#include <QFont>
#include <QPalette>
#include <memory>

namespace pensilio::grid {

class HtmlViewSource;

// The desktop colours the exporter's own base look is made of.
struct HtmlSystemColors
{
    QRgb buttonText = 0;
    QRgb buttonShadow = 0;
    QRgb buttonFace = 0;
    QRgb window = 0;
    static HtmlSystemColors fromPalette(const QPalette &palette);
};

// How the view looks at the moment of the export.
struct HtmlExportLook
{
    GridLayout layout; // the columns' geometry as on screen
    QPalette palette;  // resolves the styles' desktop colours
    QFont font;        // the view's own font, for parts without a style
    HtmlSystemColors system;
    bool horizontalGridLines = true;
    bool verticalGridLines = true;
};

struct HtmlPage
{
    HtmlCellTable cells;
    HtmlStyleTable styles;
};

class HtmlTableBuilder
{
public:
    static constexpr int kIndentWidth = 16;
    static constexpr int kExpandButtonWidth = 17;

    HtmlTableBuilder(const HtmlViewSource &view, const HtmlExportLook &look);
    ~HtmlTableBuilder();

    // Every row of the view, or only its focused row.
    enum class Rows
    {
        All,
        Focused
    };
    HtmlPage build(Rows rows);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The exporter's base look: centred "Tahoma" 8 pt in the button text colour, 1-pixel borders
// in the button shadow colour, on the window colour.
HtmlCellStyle baseCellStyle(const HtmlSystemColors &system);

} // namespace pensilio::grid

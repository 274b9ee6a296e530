#pragma once
// The grid export: chooses the exporter for the grid's active view, expands its groups, lays
// the view out as a table of cells and, only then, writes the file.

#include "platform/grid/HtmlExportRequest.h"
#include "platform/grid/HtmlTableBuilder.h"

namespace pensilio::grid {

class BandedGridView;
class HtmlViewSource;

// The grid as the export sees it: its active level's view and that view's look.
struct ExportGrid
{
    bool hasActiveLevel = true;
    HtmlViewSource *view = nullptr; // none: the level has no view
    HtmlExportLook look;
};

// The look of a grid widget as it stands, with the desktop colours the caller captured.
HtmlExportLook exportLookOf(const BandedGridView &widget, const HtmlSystemColors &system);

// Runs the request; failures are thrown as Error with the export's exact messages, and then no
// file has been touched.
void exportGrid(ExportGrid &grid, const ExportRequest &request);

} // namespace pensilio::grid

#pragma once
// "Stampa HTML (selezione)": the memo grid's view, as the user left it and with every group
// expanded, written to "MemoLst.html" in the program's folder and handed to the desktop shell.

#include "platform/grid/HtmlExport.h"

#include <QString>

namespace pensilio {

class DesktopShell;
namespace memdata {
class Table;
}
namespace grid {
class BandedGridView;
}

extern QString ProgramFolder;

// The desktop colours of the export's base look, read on the first call: the main window calls
// it once at start-up.
const grid::HtmlSystemColors &htmlSystemColors();

// Nothing when the memo table holds no record (even if the grid's filter shows none, the page is
// written when the table has memos). A failure of the export is thrown, and then nothing opens.
void StampaHTMLselezione1Click(const memdata::Table &ScadData, grid::ExportGrid &cxGrid1,
                               DesktopShell &shell, const QString &folder = ProgramFolder);
// The same for the grid widget as it stands on screen.
void StampaHTMLselezione1Click(const memdata::Table &ScadData, grid::BandedGridView &cxGrid1,
                               DesktopShell &shell, const QString &folder = ProgramFolder);

} // namespace pensilio

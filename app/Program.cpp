#include "app/Program.h"

#include "output/Documentation.h"
#include "output/HtmlList.h"

#include <QApplication>

namespace pensilio {

TProgram::TProgram(const Services &services)
    : DM1(services), FFMAIN(DM1, services), FMFSCAD(DM1, services, &FFMAIN),
      FFQRSTSCAD(DM1.ScadData, services.boxes), FFINFO(services.shell, &FFMAIN)
{
    // The export's base look takes the desktop's colours as they are at start-up.
    htmlSystemColors();
    DesktopShell *shell = services.shell;
    FFMAIN.setEditDialog(&FMFSCAD);
    FFMAIN.setPrintAll([this] { FFQRSTSCAD.StampaTotale(); });
    FFMAIN.setPrintHtml(
        [this, shell] { StampaHTMLselezione1Click(DM1.ScadData, *FFMAIN.cxGrid1, *shell); });
    FFMAIN.setHelp([this, shell] { BBHelpClick(*shell, FFINFO); });
    FFMAIN.setInfo([this, shell] { BBInformaClick(*shell, FFINFO); });
}

void TProgram::show()
{
    FFMAIN.showMaximized();
}

void TProgram::end()
{
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

} // namespace pensilio

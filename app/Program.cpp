#include "app/Program.h"

#include <QApplication>

namespace pensilio {

TProgram::TProgram(const Services &services)
    : DM1(services), FFMAIN(DM1, services), FMFSCAD(DM1, services, &FFMAIN),
      FFQRSTSCAD(DM1.ScadData, services.boxes)
{
    FFMAIN.setEditDialog(&FMFSCAD);
    FFMAIN.setPrintAll([this] { FFQRSTSCAD.StampaTotale(); });
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

#include "ui/main/UFFMAIN.h"

#include "store/UDM1.h"

namespace pensilio {

TFFMAIN::TFFMAIN(TDM1 &dm1, const Services &services, QWidget *parent)
    : QWidget(parent), m_dm1(dm1), m_services(services)
{
    setObjectName(QStringLiteral("FFMAIN"));
    setWindowTitle(QStringLiteral("  PENSILIO - Memo (Versione freeware 1.0)   "));
    resize(966, 587);
}

} // namespace pensilio

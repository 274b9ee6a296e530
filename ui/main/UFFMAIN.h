#pragma once
// The main window: the memo grid, the command buttons and the bars around them.

#include "store/Services.h"

#include <QWidget>

namespace pensilio {

class TDM1;

class TFFMAIN : public QWidget
{
    Q_OBJECT
public:
    TFFMAIN(TDM1 &dm1, const Services &services, QWidget *parent = nullptr);

private:
    TDM1 &m_dm1;
    Services m_services;
};

} // namespace pensilio

#pragma once
// The program's five long-lived objects. Members are built in declaration order, which is the
// start-up order, and destroyed in reverse: the data module writes the memos last, after every
// window is gone.

#include "output/UFMINFO.h"
#include "output/UFQRSTSCAD.h"
#include "store/UDM1.h"
#include "ui/editor/UFMFSCAD.h"
#include "ui/main/UFFMAIN.h"

namespace pensilio {

class TProgram
{
public:
    explicit TProgram(const Services &services);
    void show();
    // A normal end: every window closes and every event loop returns, modal ones included.
    void end();

    TDM1 DM1;
    TFFMAIN FFMAIN;
    TFMFSCAD FMFSCAD;
    TFFQRSTSCAD FFQRSTSCAD;
    TFFINFO FFINFO;
};

} // namespace pensilio

#pragma once
// What the program's forms reach outside themselves: the clock, the regional settings, the
// message boxes and the desktop shell. The program gives the real ones; tests give doubles.

#include "platform/core/RegionalSettings.h"

#include <QString>

namespace pensilio {

class Clock;
class DesktopShell;
class MessageBoxes;

struct Services
{
    Clock *clock = nullptr;
    MessageBoxes *boxes = nullptr;
    DesktopShell *shell = nullptr;
    RegionalSettings settings;
    QString title; // the program's title, caption of its message boxes
    QString executablePath;
};

} // namespace pensilio

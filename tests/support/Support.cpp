// The test doubles are header-only; this file gives the support library a body.
#include "ManualClock.h"
#include "RecordingDesktopShell.h"
#include "RecordingMessageBoxes.h"

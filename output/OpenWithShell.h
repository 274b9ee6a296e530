#pragma once
// Asks the desktop shell to open a document with the application associated with its type. The
// shell's answer is not waited for and a failure is not reported: callers say nothing either.

#include <QString>

namespace pensilio {

class DesktopShell;

// 'fileName' is found in 'folder', which is also the opened application's working folder;
// 'showMode' is passed on unchanged (callers give 5: activate and show as it is).
void OpenWithShell(DesktopShell &shell, const QString &fileName, const QString &parameters,
                   const QString &folder, int showMode);

} // namespace pensilio

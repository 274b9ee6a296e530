#pragma once
// The "?" and "i" buttons: each opens its documentation file through the desktop shell when the
// file lies in the program's folder, and otherwise shows the info dialog.

#include <QString>

namespace pensilio {

class DesktopShell;
class TFFINFO;

extern QString ProgramFolder;

inline const QString kHelpFile = QStringLiteral("pnshelp.pdf");
inline const QString kInfoFile = QStringLiteral("pnsinfo.pdf");

// Only 'folder' is looked at: a file of that name elsewhere, say in the current folder, does
// not count.
void openDocumentation(const QString &fileName, DesktopShell &shell, TFFINFO &FFINFO,
                       const QString &folder = ProgramFolder);

inline void BBHelpClick(DesktopShell &shell, TFFINFO &FFINFO, const QString &folder = ProgramFolder)
{
    openDocumentation(kHelpFile, shell, FFINFO, folder);
}

inline void BBInformaClick(DesktopShell &shell, TFFINFO &FFINFO,
                           const QString &folder = ProgramFolder)
{
    openDocumentation(kInfoFile, shell, FFINFO, folder);
}

} // namespace pensilio

#include "output/Documentation.h"

#include "output/OpenWithShell.h"
#include "output/UFMINFO.h"
#include "platform/core/DesktopShell.h"

#include <QFileInfo>

namespace pensilio {

void openDocumentation(const QString &fileName, DesktopShell &shell, TFFINFO &FFINFO,
                       const QString &folder)
{
    const QFileInfo file(folder + fileName);
    // A relative folder would be looked up from the current folder: only an absolute one is
    // the program's own.
    if (file.isAbsolute() && file.isFile())
        OpenWithShell(shell, fileName, QString(), folder, DesktopShell::Show);
    else
        FFINFO.ShowModal();
}

} // namespace pensilio

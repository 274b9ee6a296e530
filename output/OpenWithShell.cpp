#include "output/OpenWithShell.h"

#include "platform/core/DesktopShell.h"

namespace pensilio {

void OpenWithShell(DesktopShell &shell, const QString &fileName, const QString &parameters,
                   const QString &folder, int showMode)
{
    // The texts go whole: cut at a fixed length, a long folder would name another folder, and
    // the shell could open a different document than the one meant.
    shell.execute(QString(), fileName, parameters, folder, showMode);
}

} // namespace pensilio

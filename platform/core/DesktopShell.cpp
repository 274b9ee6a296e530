#include "platform/core/DesktopShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace pensilio {

void QtDesktopShell::execute(const QString &operation, const QString &file,
                             const QString &parameters, const QString &folder, int showMode)
{
    // The desktop decides how and where the application shows; verb, parameters and window
    // mode have no counterpart in the freedesktop opener.
    Q_UNUSED(operation)
    Q_UNUSED(parameters)
    Q_UNUSED(showMode)
    const QUrl url(file);
    if (url.isValid() && url.scheme().size() > 1) {
        QDesktopServices::openUrl(url);
        return;
    }
    QString path = file;
    if (QFileInfo(file).isRelative() && !folder.isEmpty())
        path = QDir(folder).filePath(file);
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace pensilio

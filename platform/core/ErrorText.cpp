#include "platform/core/ErrorText.h"

#include <QFileInfo>

namespace pensilio {

QString applicationTitleFromPath(const QString &executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

QString errorBoxText(const QString &message, const QString &note)
{
    QString text = message;
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        text += QLatin1Char('.');
    if (!note.isEmpty())
        text += QLatin1Char('\n') + note;
    return text;
}

} // namespace pensilio

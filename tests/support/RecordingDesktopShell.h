#pragma once
// A desktop shell that opens nothing and records each request as one line of text.

#include "platform/core/DesktopShell.h"

#include <QStringList>

namespace pensilio::testing {

class RecordingDesktopShell final : public DesktopShell
{
public:
    void execute(const QString &operation, const QString &file, const QString &parameters,
                 const QString &folder, int showMode) override
    {
        calls << QStringLiteral("%1|%2|%3|%4|%5")
                     .arg(operation, file, parameters, folder, QString::number(showMode));
    }
    QStringList calls;
};

} // namespace pensilio::testing

#pragma once
// The rules behind the standard error box: the program's title and the message's full stop.

#include <QString>

namespace pensilio {

// The executable's file name up to its first full stop, every letter after the first in lower case.
QString applicationTitleFromPath(const QString &executablePath);

// The message with a full stop added when its last character sorts after ".", then the note,
// if any, on a line of its own.
QString errorBoxText(const QString &message, const QString &note = {});

} // namespace pensilio

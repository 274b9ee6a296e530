#include "platform/core/Clock.h"

#include <QDateTime>

namespace pensilio {

WallDateTime SystemClock::now()
{
    // Only reading the clock touches the time zone: the value is the wall time shown to the user.
    const QDateTime local = QDateTime::currentDateTime();
    return WallDateTime::fromQt(local.date(), local.time());
}

} // namespace pensilio

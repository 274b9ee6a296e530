#include "platform/core/WallDateTime.h"

#include <QDate>
#include <QTime>

namespace pensilio {

namespace {
// Days from 0001-01-01 to the given civil date (Howard Hinnant's days_from_civil, shifted).
qint64 daysFromCivil(qint64 y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<qint64>(doe) - 719468 + 719162; // 719162: 0001-01-01
}

void civilFromDays(qint64 z, int &year, int &month, int &day)
{
    z += 719468 - 719162;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 y = static_cast<qint64>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}
} // namespace

bool WallDateTime::isValidDate(int year, int month, int day)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
}

WallDateTime WallDateTime::fromParts(int year, int month, int day, int hour, int minute, int second,
                                     int msec)
{
    if (!isValidDate(year, month, day))
        return {};
    const qint64 days =
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    return fromRaw(days * kMsPerDay + ((hour * 60LL + minute) * 60LL + second) * 1000LL + msec);
}

WallDateTime WallDateTime::fromQt(const QDate &date, const QTime &time)
{
    if (!date.isValid())
        return {};
    const QTime t = time.isValid() ? time : QTime(0, 0);
    return fromParts(date.year(), date.month(), date.day(), t.hour(), t.minute(), t.second(),
                     t.msec());
}

WallDateTime::Parts WallDateTime::parts() const
{
    Parts p;
    if (isNull())
        return p;
    const qint64 days = floorDiv(m_ms, kMsPerDay);
    qint64 rest = m_ms - days * kMsPerDay;
    civilFromDays(days, p.year, p.month, p.day);
    p.msec = static_cast<int>(rest % 1000);
    rest /= 1000;
    p.second = static_cast<int>(rest % 60);
    rest /= 60;
    p.minute = static_cast<int>(rest % 60);
    p.hour = static_cast<int>(rest / 60);
    return p;
}

QDate WallDateTime::date() const
{
    if (isNull())
        return {};
    const Parts p = parts();
    return QDate(p.year, p.month, p.day);
}

QTime WallDateTime::time() const
{
    if (isNull())
        return {};
    const Parts p = parts();
    return QTime(p.hour, p.minute, p.second, p.msec);
}

bool WallDateTime::isMidnight() const
{
    if (isNull())
        return false;
    const qint64 days = floorDiv(m_ms, kMsPerDay);
    return (m_ms - days * kMsPerDay) < 1000;
}

} // namespace pensilio

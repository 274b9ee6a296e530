#pragma once
// A wall-clock date and time with milliseconds and no time zone, held as one integer so that
// comparing and sorting memos is integer work and no local-time gap can make a value invalid.

#include <QtGlobal>
#include <compare>
#include <limits>

class QDate;
class QTime;

namespace pensilio {

class WallDateTime
{
public:
    struct Parts
    {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    };

    constexpr WallDateTime() = default; // the null value: no date
    static WallDateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0,
                                  int second = 0, int msec = 0);
    static WallDateTime fromParts(const Parts &p)
    {
        return fromParts(p.year, p.month, p.day, p.hour, p.minute, p.second, p.msec);
    }
    static WallDateTime fromQt(const QDate &date, const QTime &time);
    static constexpr WallDateTime fromRaw(qint64 raw)
    {
        WallDateTime w;
        w.m_ms = raw;
        return w;
    }
    static bool isValidDate(int year, int month, int day);

    constexpr bool isNull() const { return m_ms == kNull; }
    // Milliseconds since 0001-01-01 00:00:00.000 on the proleptic Gregorian calendar; the null
    // value is the smallest integer, so it sorts before every date.
    constexpr qint64 raw() const { return m_ms; }
    Parts parts() const;
    QDate date() const;
    QTime time() const;
    bool isMidnight() const; // hours, minutes and seconds zero; milliseconds not looked at
    WallDateTime addMSecs(qint64 ms) const { return isNull() ? *this : fromRaw(m_ms + ms); }

    constexpr auto operator<=>(const WallDateTime &) const = default;

    static constexpr qint64 kNull = std::numeric_limits<qint64>::min();
    static constexpr qint64 kMsPerDay = 86'400'000;

private:
    qint64 m_ms = kNull;
};

} // namespace pensilio

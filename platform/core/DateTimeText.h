#pragma once
// Writing and reading dates and times as text under the regional settings. Both are compiled
// once per settings and then work on Windows-1252 bytes, so a million values cost little.

#include "platform/core/RegionalSettings.h"
#include "platform/core/WallDateTime.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace pensilio {

class DateTimePattern
{
public:
    explicit DateTimePattern(const QString &pattern, const RegionalSettings &settings);
    void appendTo(QByteArray &out, const WallDateTime::Parts &p) const;

private:
    enum class Kind : quint8
    {
        Literal,
        Day1,
        Day2,
        DayShort,
        DayLong,
        Month1,
        Month2,
        MonthShort,
        MonthLong,
        Year2,
        Year4,
        Hour24_1,
        Hour24_2,
        Hour12_1,
        Hour12_2,
        Minute1,
        Minute2,
        Second1,
        Second2,
        Msec1,
        Msec3,
        AmPmUpper,
        AmPmLower
    };
    struct Token
    {
        Kind kind;
        QByteArray literal;
    };
    std::vector<Token> m_tokens;
    bool m_twelveHour = false;
    QByteArray m_am, m_pm;
    QByteArray m_monthShort[12], m_monthLong[12], m_dayShort[7], m_dayLong[7];
};

class DateTimeFormatter
{
public:
    explicit DateTimeFormatter(const RegionalSettings &settings);

    // The short date, then a blank and the long time unless the time is exactly midnight
    // (milliseconds not looked at); a null value gives the empty text.
    void appendTo(QByteArray &out, WallDateTime value) const;
    QByteArray format(WallDateTime value) const;
    QString toString(WallDateTime value) const;

private:
    DateTimePattern m_date;
    DateTimePattern m_time;
};

class DateTimeReader
{
public:
    DateTimeReader(const RegionalSettings &settings, int currentYear);

    // Reads a date with an optional time; false when the text does not read that way.
    bool read(const char *text, qsizetype size, WallDateTime &out) const;
    bool read(const QByteArray &text, WallDateTime &out) const
    {
        return read(text.constData(), text.size(), out);
    }
    // The same, throwing the error the user sees: "'%s' is not a valid date and time".
    WallDateTime readOrThrow(const QByteArray &text) const;

    static QString invalidMessage(const QString &text);

private:
    bool matchMarker(const char *&p, const char *end, int &ampm) const;

    DateOrder m_order;
    char m_dateSep, m_timeSep, m_decimalSep;
    QByteArray m_am, m_pm;
    int m_currentYear;
};

} // namespace pensilio

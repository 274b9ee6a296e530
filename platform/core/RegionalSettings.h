#pragma once
// The user's regional date and time settings, as the data file and the displays use them.
// Formats use Qt's pattern letters (d, M, y, h, H, m, s, z, AP).

#include <QChar>
#include <QString>

class QLocale;

namespace pensilio {

enum class DateOrder
{
    MonthDayYear,
    DayMonthYear,
    YearMonthDay
};

struct RegionalSettings
{
    QString shortDateFormat = QStringLiteral("dd/MM/yyyy");
    QString longTimeFormat = QStringLiteral("HH:mm:ss");
    QChar dateSeparator = QLatin1Char('/');
    QChar timeSeparator = QLatin1Char(':');
    QChar decimalSeparator = QLatin1Char(',');
    QString amMarker = QStringLiteral("AM");
    QString pmMarker = QStringLiteral("PM");

    // A two-digit year is widened to four digits and a time-zone part is dropped, so that a
    // data file never loses its century or gains a zone name.
    static RegionalSettings fromLocale(const QLocale &locale);
    static RegionalSettings system();

    DateOrder dateOrder() const;
    bool operator==(const RegionalSettings &) const = default;
};

} // namespace pensilio

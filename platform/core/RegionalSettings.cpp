#include "platform/core/RegionalSettings.h"

#include <QLocale>

namespace pensilio {

namespace {

QString widenYear(const QString &format)
{
    QString out;
    qsizetype i = 0;
    bool quoted = false;
    while (i < format.size()) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            out += c;
            ++i;
            continue;
        }
        if (!quoted && c == QLatin1Char('y')) {
            qsizetype n = 0;
            while (i + n < format.size() && format.at(i + n) == QLatin1Char('y'))
                ++n;
            out += QStringLiteral("yyyy");
            i += n;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

QString dropTimeZone(const QString &format)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.trimmed();
}

// The first character between pattern letters that is neither a letter nor a blank.
QChar firstSeparator(const QString &format, QChar fallback)
{
    bool quoted = false;
    bool seenLetter = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        if (c.isLetter())
            seenLetter = true;
        else if (seenLetter && c != QLatin1Char(' '))
            return c;
    }
    return fallback;
}

} // namespace

RegionalSettings RegionalSettings::fromLocale(const QLocale &locale)
{
    RegionalSettings s;
    s.shortDateFormat = widenYear(locale.dateFormat(QLocale::ShortFormat));
    s.longTimeFormat = dropTimeZone(locale.timeFormat(QLocale::LongFormat));
    s.dateSeparator = firstSeparator(s.shortDateFormat, QLatin1Char('/'));
    s.timeSeparator = firstSeparator(s.longTimeFormat, QLatin1Char(':'));
    const QString decimal = locale.decimalPoint();
    s.decimalSeparator = decimal.isEmpty() ? QLatin1Char('.') : decimal.at(0);
    s.amMarker = locale.amText();
    s.pmMarker = locale.pmText();
    return s;
}

RegionalSettings RegionalSettings::system()
{
    return fromLocale(QLocale::system());
}

DateOrder RegionalSettings::dateOrder() const
{
    const qsizetype d = shortDateFormat.indexOf(QLatin1Char('d'));
    const qsizetype m = shortDateFormat.indexOf(QLatin1Char('M'));
    const qsizetype y = shortDateFormat.indexOf(QLatin1Char('y'));
    if (y >= 0 && (m < 0 || y < m) && (d < 0 || y < d))
        return DateOrder::YearMonthDay;
    if (m >= 0 && d >= 0 && m < d)
        return DateOrder::MonthDayYear;
    return DateOrder::DayMonthYear;
}

} // namespace pensilio

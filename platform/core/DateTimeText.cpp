#include "platform/core/DateTimeText.h"

#include "platform/core/Cp1252.h"
#include "platform/core/Error.h"

#include <QDate>
#include <QLocale>

namespace pensilio {

namespace {

void appendNumber(QByteArray &out, int value, int minDigits)
{
    char buf[12];
    int n = 0;
    unsigned v = static_cast<unsigned>(value < 0 ? -value : value);
    do {
        buf[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    while (n < minDigits)
        buf[n++] = '0';
    if (value < 0)
        out.append('-');
    while (n)
        out.append(buf[--n]);
}

char separatorByte(QChar c)
{
    const char b = cp1252::encode(c);
    return b ? b : '\x01'; // a separator the code page lacks can never match
}

int dayOfWeek(const WallDateTime::Parts &p)
{
    return WallDateTime::fromParts(p.year, p.month, p.day).date().dayOfWeek(); // 1 = Monday
}

} // namespace

DateTimePattern::DateTimePattern(const QString &pattern, const RegionalSettings &settings)
    : m_am(cp1252::fromUnicode(settings.amMarker)), m_pm(cp1252::fromUnicode(settings.pmMarker))
{
    const QLocale c = QLocale::system();
    for (int i = 0; i < 12; ++i) {
        m_monthShort[i] = cp1252::fromUnicode(c.monthName(i + 1, QLocale::ShortFormat));
        m_monthLong[i] = cp1252::fromUnicode(c.monthName(i + 1, QLocale::LongFormat));
    }
    for (int i = 0; i < 7; ++i) {
        m_dayShort[i] = cp1252::fromUnicode(c.dayName(i + 1, QLocale::ShortFormat));
        m_dayLong[i] = cp1252::fromUnicode(c.dayName(i + 1, QLocale::LongFormat));
    }
    auto literal = [this](const QString &text) {
        if (!m_tokens.empty() && m_tokens.back().kind == Kind::Literal)
            m_tokens.back().literal += cp1252::fromUnicode(text);
        else
            m_tokens.push_back({Kind::Literal, cp1252::fromUnicode(text)});
    };
    qsizetype i = 0;
    const qsizetype n = pattern.size();
    while (i < n) {
        const QChar ch = pattern.at(i);
        if (ch == QLatin1Char('\'')) {
            const qsizetype close = pattern.indexOf(QLatin1Char('\''), i + 1);
            if (close == i + 1) {
                literal(QStringLiteral("'"));
                i += 2;
                continue;
            }
            const qsizetype end = close < 0 ? n : close;
            literal(pattern.mid(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < n && pattern.at(i + run) == ch)
            ++run;
        const char16_t u = ch.unicode();
        auto add = [this](Kind k) { m_tokens.push_back({k, {}}); };
        if (u == 'd') {
            static constexpr Kind k[] = {Kind::Day1, Kind::Day2, Kind::DayShort, Kind::DayLong};
            add(k[std::min<qsizetype>(run, 4) - 1]);
        } else if (u == 'M') {
            static constexpr Kind k[] = {Kind::Month1, Kind::Month2, Kind::MonthShort,
                                         Kind::MonthLong};
            add(k[std::min<qsizetype>(run, 4) - 1]);
        } else if (u == 'y') {
            add(run >= 3 ? Kind::Year4 : Kind::Year2);
        } else if (u == 'H') {
            add(run >= 2 ? Kind::Hour24_2 : Kind::Hour24_1);
        } else if (u == 'h') {
            add(run >= 2 ? Kind::Hour12_2 : Kind::Hour12_1);
        } else if (u == 'm') {
            add(run >= 2 ? Kind::Minute2 : Kind::Minute1);
        } else if (u == 's') {
            add(run >= 2 ? Kind::Second2 : Kind::Second1);
        } else if (u == 'z') {
            add(run >= 3 ? Kind::Msec3 : Kind::Msec1);
        } else if ((u == 'A' || u == 'a') && i + 1 < n &&
                   (pattern.at(i + 1) == QLatin1Char('P') ||
                    pattern.at(i + 1) == QLatin1Char('p'))) {
            add(u == 'A' ? Kind::AmPmUpper : Kind::AmPmLower);
            m_twelveHour = true;
            run = 2;
        } else if (u == 'A' || u == 'a') {
            add(u == 'A' ? Kind::AmPmUpper : Kind::AmPmLower);
            m_twelveHour = true;
        } else {
            literal(pattern.mid(i, run));
        }
        i += run;
    }
    // Qt's 'h' means a 24-hour value unless the pattern shows AM/PM.
    if (!m_twelveHour) {
        for (Token &t : m_tokens) {
            if (t.kind == Kind::Hour12_1)
                t.kind = Kind::Hour24_1;
            else if (t.kind == Kind::Hour12_2)
                t.kind = Kind::Hour24_2;
        }
    }
}

void DateTimePattern::appendTo(QByteArray &out, const WallDateTime::Parts &p) const
{
    const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    for (const Token &t : m_tokens) {
        switch (t.kind) {
        case Kind::Literal:
            out.append(t.literal);
            break;
        case Kind::Day1:
            appendNumber(out, p.day, 1);
            break;
        case Kind::Day2:
            appendNumber(out, p.day, 2);
            break;
        case Kind::DayShort:
            out.append(m_dayShort[dayOfWeek(p) - 1]);
            break;
        case Kind::DayLong:
            out.append(m_dayLong[dayOfWeek(p) - 1]);
            break;
        case Kind::Month1:
            appendNumber(out, p.month, 1);
            break;
        case Kind::Month2:
            appendNumber(out, p.month, 2);
            break;
        case Kind::MonthShort:
            out.append(m_monthShort[p.month - 1]);
            break;
        case Kind::MonthLong:
            out.append(m_monthLong[p.month - 1]);
            break;
        case Kind::Year2:
            appendNumber(out, p.year % 100, 2);
            break;
        case Kind::Year4:
            appendNumber(out, p.year, 4);
            break;
        case Kind::Hour24_1:
            appendNumber(out, p.hour, 1);
            break;
        case Kind::Hour24_2:
            appendNumber(out, p.hour, 2);
            break;
        case Kind::Hour12_1:
            appendNumber(out, hour12, 1);
            break;
        case Kind::Hour12_2:
            appendNumber(out, hour12, 2);
            break;
        case Kind::Minute1:
            appendNumber(out, p.minute, 1);
            break;
        case Kind::Minute2:
            appendNumber(out, p.minute, 2);
            break;
        case Kind::Second1:
            appendNumber(out, p.second, 1);
            break;
        case Kind::Second2:
            appendNumber(out, p.second, 2);
            break;
        case Kind::Msec1:
            appendNumber(out, p.msec, 1);
            break;
        case Kind::Msec3:
            appendNumber(out, p.msec, 3);
            break;
        case Kind::AmPmUpper:
            out.append((p.hour < 12 ? m_am : m_pm).toUpper());
            break;
        case Kind::AmPmLower:
            out.append((p.hour < 12 ? m_am : m_pm).toLower());
            break;
        }
    }
}

DateTimeFormatter::DateTimeFormatter(const RegionalSettings &settings)
    : m_date(settings.shortDateFormat, settings), m_time(settings.longTimeFormat, settings)
{}

void DateTimeFormatter::appendTo(QByteArray &out, WallDateTime value) const
{
    if (value.isNull())
        return;
    const WallDateTime::Parts p = value.parts();
    m_date.appendTo(out, p);
    if (p.hour || p.minute || p.second) {
        out.append(' ');
        m_time.appendTo(out, p);
    }
}

QByteArray DateTimeFormatter::format(WallDateTime value) const
{
    QByteArray out;
    appendTo(out, value);
    return out;
}

QString DateTimeFormatter::toString(WallDateTime value) const
{
    return cp1252::toUnicode(format(value));
}

DateTimeReader::DateTimeReader(const RegionalSettings &settings, int currentYear)
    : m_order(settings.dateOrder()), m_dateSep(separatorByte(settings.dateSeparator)),
      m_timeSep(separatorByte(settings.timeSeparator)),
      m_decimalSep(separatorByte(settings.decimalSeparator)),
      m_am(cp1252::fromUnicode(settings.amMarker).toUpper()),
      m_pm(cp1252::fromUnicode(settings.pmMarker).toUpper()), m_currentYear(currentYear)
{}

QString DateTimeReader::invalidMessage(const QString &text)
{
    return QStringLiteral("'%1' is not a valid date and time").arg(text);
}

WallDateTime DateTimeReader::readOrThrow(const QByteArray &text) const
{
    WallDateTime value;
    if (!read(text, value))
        throw Error(invalidMessage(cp1252::toUnicode(text)));
    return value;
}

namespace {

bool isBlank(char c)
{
    return c == ' ';
}

void skipBlanks(const char *&p, const char *end)
{
    while (p < end && isBlank(*p))
        ++p;
}

// At most nine digits, so that no value overflows; 'digits' tells how many were read.
bool readNumber(const char *&p, const char *end, int &value, int &digits)
{
    value = 0;
    digits = 0;
    while (p < end && *p >= '0' && *p <= '9') {
        if (digits == 9)
            return false;
        value = value * 10 + (*p - '0');
        ++digits;
        ++p;
    }
    return digits > 0;
}

bool startsWithCaseless(const char *p, const char *end, const QByteArray &word)
{
    if (word.isEmpty() || end - p < word.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        char c = p[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != word.at(i))
            return false;
    }
    return true;
}

} // namespace

bool DateTimeReader::matchMarker(const char *&p, const char *end, int &ampm) const
{
    if (p >= end || (*p >= '0' && *p <= '9'))
        return false;
    const QByteArray candidates[4] = {m_am, m_pm, QByteArrayLiteral("AM"), QByteArrayLiteral("PM")};
    // Longer markers first, so that "A" never shadows "AM".
    int best = -1;
    for (int i = 0; i < 4; ++i) {
        if (startsWithCaseless(p, end, candidates[i]) &&
            (best < 0 || candidates[i].size() > candidates[best].size()))
            best = i;
    }
    if (best < 0)
        return false;
    p += candidates[best].size();
    ampm = (best % 2 == 0) ? 1 : 2;
    return true;
}

bool DateTimeReader::read(const char *text, qsizetype size, WallDateTime &out) const
{
    const char *p = text;
    const char *end = text + size;
    skipBlanks(p, end);

    int n[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    if (!readNumber(p, end, n[0], digits[0]))
        return false;
    count = 1;
    while (count < 3 && p < end && *p == m_dateSep) {
        ++p;
        if (!readNumber(p, end, n[count], digits[count]))
            return false;
        ++count;
    }
    if (count < 2)
        return false;
    // A trailing date separator ("9/12/") is tolerated as the regional short format may end in one.
    if (p < end && *p == m_dateSep)
        ++p;

    int year = 0, month = 0, day = 0, yearDigits = 4;
    if (count == 2) {
        year = m_currentYear;
        if (m_order == DateOrder::DayMonthYear) {
            day = n[0];
            month = n[1];
        } else {
            month = n[0];
            day = n[1];
        }
    } else {
        switch (m_order) {
        case DateOrder::MonthDayYear:
            month = n[0], day = n[1], year = n[2], yearDigits = digits[2];
            break;
        case DateOrder::DayMonthYear:
            day = n[0], month = n[1], year = n[2], yearDigits = digits[2];
            break;
        case DateOrder::YearMonthDay:
            year = n[0], month = n[1], day = n[2], yearDigits = digits[0];
            break;
        }
        if (yearDigits <= 2) {
            const int first = m_currentYear - 50;
            year += first - first % 100;
            if (year < first)
                year += 100;
        }
    }
    if (!WallDateTime::isValidDate(year, month, day))
        return false;

    int hour = 0, minute = 0, second = 0, msec = 0, ampm = 0;
    if (p < end) {
        if (!isBlank(*p))
            return false;
        skipBlanks(p, end);
        bool markerFirst = false;
        if (p < end && matchMarker(p, end, ampm)) {
            markerFirst = true;
            skipBlanks(p, end);
        }
        if (p < end) {
            int d = 0;
            if (!readNumber(p, end, hour, d))
                return false;
            if (p < end && *p == m_timeSep) {
                ++p;
                if (!readNumber(p, end, minute, d))
                    return false;
                if (p < end && *p == m_timeSep) {
                    ++p;
                    if (!readNumber(p, end, second, d))
                        return false;
                    if (p < end && *p == m_decimalSep) {
                        ++p;
                        if (!readNumber(p, end, msec, d))
                            return false;
                    }
                }
            }
            skipBlanks(p, end);
            if (!markerFirst && p < end && matchMarker(p, end, ampm))
                skipBlanks(p, end);
        } else if (markerFirst) {
            return false; // a marker without a time
        }
        if (p != end)
            return false;
    }
    if (ampm) {
        if (hour > 12)
            return false;
        if (hour == 12)
            hour = 0;
        if (ampm == 2)
            hour += 12;
    }
    if (hour > 23 || minute > 59 || second > 59 || msec > 999)
        return false;
    out = WallDateTime::fromParts(year, month, day, hour, minute, second, msec);
    return !out.isNull();
}

} // namespace pensilio

#include "output/ReportDateText.h"

namespace pensilio {

namespace {
qint64 floorDiv(qint64 a, qint64 b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}
} // namespace

ReportDateText::ReportDateText(const RegionalSettings &settings)
    : m_date(settings.shortDateFormat, settings), m_time(settings.longTimeFormat, settings)
{}

void ReportDateText::appendTo(QByteArray &out, WallDateTime value)
{
    if (value.isNull())
        return;
    const qint64 day = floorDiv(value.raw(), WallDateTime::kMsPerDay);
    if (day != m_day) {
        m_day = day;
        m_dayParts = WallDateTime::fromRaw(day * WallDateTime::kMsPerDay).parts();
        m_dayText.truncate(0);
        m_date.appendTo(m_dayText, m_dayParts);
    }
    out.append(m_dayText);
    const qint64 msOfDay = value.raw() - day * WallDateTime::kMsPerDay;
    WallDateTime::Parts p = m_dayParts;
    p.hour = static_cast<int>(msOfDay / 3'600'000);
    p.minute = static_cast<int>(msOfDay / 60'000 % 60);
    p.second = static_cast<int>(msOfDay / 1000 % 60);
    p.msec = static_cast<int>(msOfDay % 1000);
    // Exactly midnight prints the date alone; the milliseconds play no part.
    if (p.hour || p.minute || p.second) {
        out.append(' ');
        m_time.appendTo(out, p);
    }
}

} // namespace pensilio

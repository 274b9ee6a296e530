#pragma once
// A memo's date and time as the report prints it: the regional short date, then a blank and the
// long time unless the time is exactly midnight. The report walks the memos in date order, so
// the date's text is made once per day and only the time is written for each memo.

#include "platform/core/DateTimeText.h"

namespace pensilio {

class ReportDateText
{
public:
    explicit ReportDateText(const RegionalSettings &settings);
    // Appends the text of 'value' (nothing for a null value) to 'out'.
    void appendTo(QByteArray &out, WallDateTime value);

private:
    DateTimePattern m_date;
    DateTimePattern m_time;
    qint64 m_day = WallDateTime::kNull;
    WallDateTime::Parts m_dayParts;
    QByteArray m_dayText;
};

} // namespace pensilio

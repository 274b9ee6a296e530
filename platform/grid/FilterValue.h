#pragma once
// One value of a filter condition: nothing (the missing value, "blank"), a text in Windows-1252
// bytes, or a wall-clock date and time. An empty text is a value, not a missing one.

#include "platform/core/WallDateTime.h"
#include "platform/grid/FilterTypes.h"

#include <QByteArray>
#include <QString>

namespace pensilio {
class DateTimeReader;
class DateTimeFormatter;
} // namespace pensilio

namespace pensilio::grid {

class FilterValue
{
public:
    enum class Kind : quint8
    {
        Null,
        Text,
        DateTime
    };

    FilterValue() = default;
    static FilterValue text(QByteArray bytes);
    static FilterValue dateTime(WallDateTime value);

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }
    bool isText() const { return m_kind == Kind::Text; }
    bool isDateTime() const { return m_kind == Kind::DateTime; }
    const QByteArray &textBytes() const { return m_text; }
    WallDateTime dateTimeValue() const { return m_dateTime; }
    // Whether the value may stand in a condition on a column of this type.
    bool fits(FilterColumnType type) const;

    // How the value reads in the filter's description and dialogs: texts as they are, dates in
    // the given formats (ISO form without them), the missing value as "blank".
    QString displayText(const DateTimeFormatter *dates = nullptr) const;

    // A value typed by the user for a column. An empty entry is the empty text for a text column
    // (a value, which the missing one is not) and the missing value for a date column. A text
    // with a character the code page cannot hold, or a date that does not read, throws
    // "Invalid value".
    static FilterValue fromUserText(FilterColumnType type, const QString &typed,
                                    const DateTimeReader *dates = nullptr);

    bool operator==(const FilterValue &other) const = default;

private:
    Kind m_kind = Kind::Null;
    QByteArray m_text;
    WallDateTime m_dateTime;
};

} // namespace pensilio::grid

#include "platform/grid/FilterValue.h"

#include "platform/core/Cp1252.h"
#include "platform/core/DateTimeText.h"
#include "platform/core/Error.h"
#include "platform/grid/StockTexts.h"

#include <QDate>
#include <QTime>

namespace pensilio::grid {

FilterValue FilterValue::text(QByteArray bytes)
{
    FilterValue value;
    value.m_kind = Kind::Text;
    // A null QByteArray and an empty one must mean the same value.
    value.m_text = bytes.isNull() ? QByteArray("") : std::move(bytes);
    return value;
}

FilterValue FilterValue::dateTime(WallDateTime dateTime)
{
    if (dateTime.isNull())
        return {};
    FilterValue value;
    value.m_kind = Kind::DateTime;
    value.m_dateTime = dateTime;
    return value;
}

bool FilterValue::fits(FilterColumnType type) const
{
    switch (m_kind) {
    case Kind::Null:
        return true;
    case Kind::Text:
        return type == FilterColumnType::Text;
    case Kind::DateTime:
        return type == FilterColumnType::DateTime;
    }
    return false;
}

QString FilterValue::displayText(const DateTimeFormatter *dates) const
{
    switch (m_kind) {
    case Kind::Null:
        return stockText(QStringLiteral("blank"));
    case Kind::Text:
        return cp1252::toUnicode(m_text);
    case Kind::DateTime:
        if (dates)
            return dates->toString(m_dateTime);
        return m_dateTime.date().toString(Qt::ISODate) + QLatin1Char(' ') +
               m_dateTime.time().toString(QStringLiteral("HH:mm:ss.zzz"));
    }
    return {};
}

FilterValue FilterValue::fromUserText(FilterColumnType type, const QString &typed,
                                      const DateTimeReader *dates)
{
    const auto invalid = [] { return Error(stockText(QStringLiteral("Invalid value"))); };
    if (type == FilterColumnType::Text) {
        for (const QChar ch : typed) {
            // A character the table cannot hold could never match; refuse it rather than let
            // it turn silently into '?'.
            if (!cp1252::canEncode(ch))
                throw invalid();
        }
        return text(cp1252::fromUnicode(typed));
    }
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return {};
    if (!dates)
        throw invalid();
    WallDateTime value;
    if (!dates->read(cp1252::fromUnicode(trimmed), value) || value.isNull())
        throw invalid();
    return dateTime(value);
}

} // namespace pensilio::grid

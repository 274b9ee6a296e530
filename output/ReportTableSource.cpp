#include "output/ReportTableSource.h"

#include "platform/memdata/Table.h"

namespace pensilio {

void ReportTableSource::first()
{
    m_table.first();
}

void ReportTableSource::next()
{
    m_table.next();
}

bool ReportTableSource::eof() const
{
    return m_table.eof();
}

int ReportTableSource::recordCount() const
{
    return m_table.recordCount();
}

int ReportTableSource::fieldIndex(const QString &name) const
{
    return m_table.findField(name);
}

std::optional<QByteArray> ReportTableSource::fieldText(int field) const
{
    try {
        return m_table.fieldText(field);
    } catch (const Error &) {
        return std::nullopt;
    }
}

} // namespace pensilio

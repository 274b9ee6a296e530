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

std::optional<QByteArrayView> ReportTableSource::fieldText(int field, QByteArray &buffer) const
{
    using memdata::FieldType;
    try {
        const memdata::RowId row = m_table.currentRow();
        // A stored row is read in place; anything else (a pending row) through its copy.
        if (row == memdata::kNoRow || m_table.state() != memdata::TableState::Browse) {
            buffer = m_table.fieldText(field);
            return QByteArrayView(buffer);
        }
        switch (m_table.field(field).type) {
        case FieldType::Text:
            return m_table.text(row, field).view();
        case FieldType::DateTime:
            buffer.truncate(0);
            m_table.dateTimeFormatter().appendTo(buffer, m_table.dateTime(row, field));
            return QByteArrayView(buffer);
        case FieldType::AutoIncrement:
            break;
        }
        buffer = m_table.displayText(row, field);
        return QByteArrayView(buffer);
    } catch (const Error &) {
        return std::nullopt;
    }
}

} // namespace pensilio

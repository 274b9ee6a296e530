#include "output/ReportTableSource.h"

#include "output/ReportDateText.h"
#include "platform/memdata/Table.h"

#include <algorithm>

namespace pensilio {

namespace {
// How far ahead a row's field slots are read, in batches so that their waits for memory
// overlap, and how far ahead its texts' bytes are fetched.
constexpr int kSlotsAhead = 16;
constexpr int kBatch = 8;
constexpr int kBytesAhead = 8;
} // namespace

ReportTableSource::ReportTableSource(memdata::Table &table)
    : m_table(table), m_dates(std::make_unique<ReportDateText>(table.regionalSettings()))
{}

ReportTableSource::~ReportTableSource() = default;

void ReportTableSource::first()
{
    m_table.first();
    touchSlots(0, kSlotsAhead + kBatch);
    for (int i = 0; i < kBytesAhead; ++i)
        fetchBytes(i);
}

void ReportTableSource::next()
{
    m_table.next();
    const int current = m_table.currentPosition();
    if (current < 0 || m_table.eof())
        return;
    if (current % kBatch == 0)
        touchSlots(current + kSlotsAhead + kBatch, current + kSlotsAhead + 2 * kBatch);
    fetchBytes(current + kBytesAhead);
}

void ReportTableSource::touchSlots(int from, int to)
{
    to = qMin(to, m_table.recordCount());
    for (int position = from; position < to; ++position) {
        const memdata::RowId row = m_table.rowAt(position);
        for (const int field : m_fields) {
            if (m_table.field(field).type == memdata::FieldType::Text)
                m_touched ^= static_cast<quintptr>(m_table.text(row, field).size);
            else
                m_touched ^= static_cast<quintptr>(m_table.dateTime(row, field).raw());
        }
    }
}

void ReportTableSource::fetchBytes(int position)
{
    if (position >= m_table.recordCount())
        return;
    const memdata::RowId row = m_table.rowAt(position);
    for (const int field : m_fields) {
        if (m_table.field(field).type != memdata::FieldType::Text)
            continue;
        const memdata::TextRef text = m_table.text(row, field);
        for (qint32 at = 0; at < text.size; at += 64)
            __builtin_prefetch(text.data + at);
    }
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
    const int field = m_table.findField(name);
    if (field >= 0 && std::find(m_fields.begin(), m_fields.end(), field) == m_fields.end())
        m_fields.push_back(field);
    return field;
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
            m_dates->appendTo(buffer, m_table.dateTime(row, field));
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

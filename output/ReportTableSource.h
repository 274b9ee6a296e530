#pragma once
// The memo table as the records a report walks: the report moves the table's own current
// record, so the grid that shows the table follows the run.

#include "platform/report/ReportDataSource.h"

namespace pensilio::memdata {
class Table;
}

namespace pensilio {

class ReportTableSource final : public report::ReportDataSource
{
public:
    explicit ReportTableSource(memdata::Table &table) : m_table(table) {}
    void first() override;
    void next() override;
    bool eof() const override;
    int recordCount() const override;
    int fieldIndex(const QString &name) const override;
    std::optional<QByteArrayView> fieldText(int field, QByteArray &buffer) const override;

private:
    memdata::Table &m_table;
};

} // namespace pensilio

#pragma once
// The memo table as the records a report walks: the report moves the table's own current
// record, so the grid that shows the table follows the run. Rows in date order lie scattered in
// memory, so the rows a little ahead are touched early and the wait for memory overlaps the work.

#include "platform/report/ReportDataSource.h"

#include <memory>
#include <vector>

namespace pensilio::memdata {
class Table;
}

namespace pensilio {

class ReportDateText;

class ReportTableSource final : public report::ReportDataSource
{
public:
    explicit ReportTableSource(memdata::Table &table);
    ~ReportTableSource() override;
    void first() override;
    void next() override;
    bool eof() const override;
    int recordCount() const override;
    int fieldIndex(const QString &name) const override;
    std::optional<QByteArrayView> fieldText(int field, QByteArray &buffer) const override;

private:
    void touchSlots(int from, int to);
    void fetchBytes(int position);

    memdata::Table &m_table;
    // The fields a report asked for, whose rows it reads ahead of the run.
    mutable std::vector<int> m_fields;
    mutable quintptr m_touched = 0;
    std::unique_ptr<ReportDateText> m_dates;
};

} // namespace pensilio

#pragma once
// The records a report walks, first to last, and the display texts of their fields.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace pensilio::report {

class ReportDataSource
{
public:
    virtual ~ReportDataSource() = default;
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    virtual int recordCount() const = 0;
    // -1 when the source has no field of that name.
    virtual int fieldIndex(const QString &name) const = 0;
    // The current record's display text in Windows-1252; none when it cannot be produced. The
    // text may live in 'buffer', which the caller keeps for the next call, or in the source;
    // either way it stays valid until the source moves or the buffer is used again.
    virtual std::optional<QByteArrayView> fieldText(int field, QByteArray &buffer) const = 0;
};

} // namespace pensilio::report

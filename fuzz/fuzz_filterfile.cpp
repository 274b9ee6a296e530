// Filter files come from outside: reading one must end in a filter or in the one refusal, never
// in a crash. A filter that is read must save and read back the same, and evaluate and describe.

#include "platform/core/Error.h"
#include "platform/grid/FilterDescription.h"
#include "platform/grid/FilterFile.h"
#include "platform/grid/FilterMatcher.h"

#include <cstdlib>

using namespace pensilio;
using namespace pensilio::grid;

namespace {
struct Row final : FilterRowSource
{
    std::optional<std::string_view> text(qint64 row, int) const override
    {
        if (row == 0)
            return std::nullopt;
        return row == 1 ? std::string_view() : std::string_view("ALFA BETA");
    }
    std::optional<qint64> dateTime(qint64 row, int) const override
    {
        if (row == 0)
            return std::nullopt;
        return WallDateTime::fromParts(2024, 3, 13, 10).raw();
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static const FilterColumns columns{
        {0, QStringLiteral("Oggetto"), QStringLiteral("Oggetto"), FilterColumnType::Text},
        {1, QStringLiteral("DataOra"), QStringLiteral("DataOra"), FilterColumnType::DateTime}};
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    FilterNode filter;
    try {
        filter = filterfile::read(content, columns);
    } catch (const Error &) {
        return 0;
    }
    if (!(filterfile::read(filterfile::write(filter, columns), columns) == filter))
        std::abort();
    const FilterMatcher matcher(
        filter, columns, FilterDateContext{WallDateTime::fromParts(2024, 3, 13), Qt::Monday});
    const Row rows;
    for (qint64 row = 0; row < 3; ++row)
        matcher.matches(rows, row);
    describeFilter(filter, columns);
    return 0;
}

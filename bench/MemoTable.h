#pragma once
// The memo table as the data module declares it, for benchmarks that work on the table alone.

#include "platform/memdata/Table.h"

namespace pensilio {
class Clock;
}

namespace pensilio::bench {

struct MemoFields
{
    int recId = -1, date = -1, subject = -1, note = -1, key = -1;
};

// The five fields, the date order, the index on the key, the regional settings and the defaults
// of a new memo; the table is left closed.
MemoFields defineMemoTable(memdata::Table &table, Clock *clock);

} // namespace pensilio::bench

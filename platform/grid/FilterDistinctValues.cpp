#include "platform/grid/FilterDistinctValues.h"

#include "platform/memdata/Table.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace pensilio::grid {

namespace {
// The stored rows as a bitmap by RowId, so that they can be visited in storage order: reading
// the texts in date order jumps across memory and is several times slower.
std::vector<quint64> storedRows(const memdata::Table &table, memdata::RowId &maxRow)
{
    maxRow = -1;
    for (const memdata::RowId row : table.order())
        maxRow = std::max(maxRow, row);
    std::vector<quint64> bits(size_t(maxRow + 64) / 64, 0);
    for (const memdata::RowId row : table.order())
        bits[size_t(row) >> 6] |= quint64(1) << (row & 63);
    return bits;
}

template <typename F> void forEachStored(const memdata::Table &table, F &&visit)
{
    memdata::RowId maxRow = -1;
    const std::vector<quint64> bits = storedRows(table, maxRow);
    for (size_t word = 0; word < bits.size(); ++word) {
        quint64 w = bits[word];
        while (w) {
            const int bit = std::countr_zero(w);
            w &= w - 1;
            visit(memdata::RowId(word * 64 + size_t(bit)));
        }
    }
}

quint64 hashBytes(std::string_view s)
{
    quint64 h = 0x9E3779B97F4A7C15ull ^ s.size();
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        quint64 chunk;
        std::memcpy(&chunk, s.data() + i, 8);
        h = (h ^ chunk) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 29;
    }
    quint64 tail = 0;
    if (i < s.size())
        std::memcpy(&tail, s.data() + i, s.size() - i);
    h = (h ^ tail) * 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 32);
}

bool bytesLess(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    const int c = n ? std::memcmp(a.data(), b.data(), n) : 0; // memcmp compares unsigned bytes
    return c != 0 ? c < 0 : a.size() < b.size();
}
} // namespace

DistinctTexts distinctTexts(const memdata::Table &table, int field)
{
    DistinctTexts out;
    // Open addressing over the distinct views; subjects repeat a lot, so the table stays small.
    std::vector<std::string_view> slots(1024);
    std::vector<bool> used(slots.size(), false);
    size_t count = 0;
    auto insert = [&](std::string_view s, auto &self) -> void {
        const size_t mask = slots.size() - 1;
        for (size_t i = hashBytes(s) & mask;; i = (i + 1) & mask) {
            if (!used[i]) {
                used[i] = true;
                slots[i] = s;
                if (++count * 2 > slots.size()) {
                    std::vector<std::string_view> old;
                    old.reserve(count);
                    for (size_t j = 0; j < slots.size(); ++j) {
                        if (used[j])
                            old.push_back(slots[j]);
                    }
                    slots.assign(slots.size() * 2, {});
                    used.assign(slots.size(), false);
                    count = 0;
                    for (const auto v : old)
                        self(v, self);
                }
                return;
            }
            if (slots[i] == s)
                return;
        }
    };
    forEachStored(table, [&](memdata::RowId row) {
        const memdata::TextRef ref = table.text(row, field);
        if (ref.isNull())
            out.hasNull = true;
        else
            insert(ref.view(), insert);
    });
    out.values.reserve(count);
    for (size_t j = 0; j < slots.size(); ++j) {
        if (used[j])
            out.values.push_back(slots[j]);
    }
    std::sort(out.values.begin(), out.values.end(), bytesLess);
    return out;
}

DistinctDates distinctDates(const memdata::Table &table, int field)
{
    DistinctDates out;
    forEachStored(table, [&](memdata::RowId row) {
        if (table.isNull(row, field))
            out.hasNull = true;
        else
            out.values.push_back(table.dateTime(row, field).raw());
    });
    std::sort(out.values.begin(), out.values.end());
    out.values.erase(std::unique(out.values.begin(), out.values.end()), out.values.end());
    return out;
}

} // namespace pensilio::grid

#include "platform/grid/FilterDistinctValues.h"

#include "platform/memdata/Table.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace pensilio::grid {

std::vector<quint64> storedRowBits(const memdata::Table &table, qint32 &maxRow)
{
    maxRow = -1;
    for (const memdata::RowId row : table.order())
        maxRow = std::max(maxRow, row);
    std::vector<quint64> bits(size_t(maxRow + 64) / 64, 0);
    for (const memdata::RowId row : table.order())
        bits[size_t(row) >> 6] |= quint64(1) << (row & 63);
    return bits;
}

namespace {
template <typename F>
void forEachStored(const memdata::Table &table, memdata::RowId &maxRow, F &&visit)
{
    const std::vector<quint64> bits = storedRowBits(table, maxRow);
    for (size_t word = 0; word < bits.size(); ++word) {
        quint64 w = bits[word];
        while (w) {
            const int bit = std::countr_zero(w);
            w &= w - 1;
            visit(memdata::RowId(word * 64 + size_t(bit)));
        }
    }
}

template <typename F> void forEachStored(const memdata::Table &table, F &&visit)
{
    memdata::RowId maxRow = -1;
    forEachStored(table, maxRow, visit);
}

// Hashes the first and last eight bytes and the length: a fixed cost per text, and enough to
// tell subjects apart; equal hashes are settled by comparing the bytes.
quint64 hashBytes(std::string_view s)
{
    quint64 head = 0, tail = 0;
    if (s.size() >= 8) {
        std::memcpy(&head, s.data(), 8);
        std::memcpy(&tail, s.data() + s.size() - 8, 8);
    } else if (!s.empty()) {
        std::memcpy(&head, s.data(), s.size());
    }
    quint64 h = (head ^ 0x9E3779B97F4A7C15ull) * 0xFF51AFD7ED558CCDull;
    h ^= (tail + s.size()) * 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return h ^ (h >> 32);
}

bool bytesLess(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    const int c = n ? std::memcmp(a.data(), b.data(), n) : 0; // memcmp compares unsigned bytes
    return c != 0 ? c < 0 : a.size() < b.size();
}
} // namespace

namespace {
// Open addressing over the distinct texts, each slot with its hash, so that a probe compares
// bytes only when the hashes agree. Subjects repeat a lot: the table stays small and in cache.
class TextSet
{
public:
    TextSet() : m_slots(1024) {}

    void insert(const char *data, quint32 size, quint64 hash)
    {
        const quint32 tag = quint32(hash >> 32) | 1; // 0 marks a free slot
        size_t mask = m_slots.size() - 1;
        for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
            Slot &slot = m_slots[i];
            if (slot.tag == 0) {
                slot = {data, size, tag, hash};
                if (++m_count * 2 > m_slots.size())
                    grow();
                return;
            }
            if (slot.tag == tag && slot.size == size &&
                (size == 0 || std::memcmp(slot.data, data, size) == 0))
                return;
        }
    }
    std::vector<std::string_view> values() const
    {
        std::vector<std::string_view> out;
        out.reserve(m_count);
        for (const Slot &slot : m_slots) {
            if (slot.tag != 0)
                out.emplace_back(slot.data, slot.size);
        }
        return out;
    }

private:
    struct Slot
    {
        const char *data = nullptr;
        quint32 size = 0;
        quint32 tag = 0;
        quint64 hash = 0;
    };
    void grow()
    {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        const size_t mask = m_slots.size() - 1;
        for (const Slot &slot : old) {
            if (slot.tag == 0)
                continue;
            size_t i = size_t(slot.hash) & mask;
            while (m_slots[i].tag != 0)
                i = (i + 1) & mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    size_t m_count = 0;
};
} // namespace

DistinctTexts distinctTexts(const memdata::Table &table, int field)
{
    DistinctTexts out;
    TextSet set;
    memdata::RowId maxRow = -1;
    forEachStored(table, maxRow, [&](memdata::RowId row) {
        // The texts lie far apart among the notes: ask for a later row's bytes while this
        // row's are hashed.
        constexpr memdata::RowId kAhead = 16;
        if (row + kAhead <= maxRow)
            __builtin_prefetch(table.text(row + kAhead, field).data);
        const memdata::TextRef ref = table.text(row, field);
        if (ref.isNull()) {
            out.hasNull = true;
            return;
        }
        const std::string_view view = ref.view();
        set.insert(view.data(), quint32(view.size()), hashBytes(view));
    });
    out.values = set.values();
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

#pragma once
// The distinct values of one field over a table's stored rows, in ascending order (texts by
// their bytes), and whether any row lacks a value. Reads rows in storage order and hashes byte
// views, so a million rows cost no allocation per row.

#include <QtGlobal>
#include <string_view>
#include <vector>

namespace pensilio::memdata {
class Table;
}

namespace pensilio::grid {

struct DistinctTexts
{
    std::vector<std::string_view> values; // views into the table's texts
    bool hasNull = false;
};
struct DistinctDates
{
    std::vector<qint64> values; // WallDateTime raw values
    bool hasNull = false;
};

// The table's stored rows as a bitmap by RowId, for visiting them in storage order: reading
// rows in date order jumps across memory and is several times slower. 'maxRow' is the highest
// stored RowId, -1 when none.
std::vector<quint64> storedRowBits(const memdata::Table &table, qint32 &maxRow);

DistinctTexts distinctTexts(const memdata::Table &table, int field);
DistinctDates distinctDates(const memdata::Table &table, int field);

} // namespace pensilio::grid

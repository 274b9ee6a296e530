#pragma once
// Filter files (".flt"): a filter tree as lines of text a person can read, in Windows-1252.
//
//   pensilio-filter 1
//   group and
//     condition "Oggetto" like "%ALFA%"
//     group not-or
//       condition "Oggetto" between "A" "M"
//       condition "Oggetto" in "X" "Y" null
//       condition "DataOra" today
//     end
//   end
//
// The first line names the format and its version. Texts stand in double quotes with \" \\ and
// \xHH escapes; null is the missing value; @2024-01-31T09:05:00.000 is a date and time. Blank
// lines and lines starting with "#" are skipped. Columns are named by field name.

#include "platform/grid/FilterNode.h"

#include <QByteArray>
#include <QString>

namespace pensilio::grid {

namespace filterfile {

constexpr int kVersion = 1;
constexpr qint64 kMaxSize = 1024 * 1024;
constexpr int kMaxDepth = 32; // nested groups, the root counting as one

// The file's text for a filter whose every condition names one of the columns.
QByteArray write(const FilterNode &root, const FilterColumns &columns);
// A filter read back. Anything that cannot be shown as a filter of these columns (damage, an
// unknown version, column or operator, a value that does not fit, nesting beyond kMaxDepth)
// throws "Can't build filter from source"; nothing is returned half-read.
FilterNode read(const QByteArray &content, const FilterColumns &columns);

// The same on files. A file that cannot be opened or written throws an error naming it.
FilterNode load(const QString &path, const FilterColumns &columns);
void save(const QString &path, const FilterNode &root, const FilterColumns &columns);

} // namespace filterfile

} // namespace pensilio::grid

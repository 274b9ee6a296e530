#pragma once
// The text the grid puts on the clipboard: a line of the visible columns' captions, then one
// line per row with its cells as shown; TAB between cells, CR LF after every line.

#include <QString>
#include <vector>

namespace pensilio::grid {

class GridViewModel;

QString rowsAsText(const GridViewModel &model, const std::vector<int> &rows);

} // namespace pensilio::grid

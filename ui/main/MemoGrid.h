#pragma once
// The memo grid's fixed configuration: its bands, columns, styles and options.

namespace pensilio {

namespace grid {
class GridViewModel;
}

void configureMemoGrid(grid::GridViewModel &view);

} // namespace pensilio

#include "platform/grid/RowCopy.h"

#include "platform/grid/CellText.h"
#include "platform/grid/GridViewModel.h"

namespace pensilio::grid {

QString rowsAsText(const GridViewModel &model, const std::vector<int> &rows)
{
    const std::vector<int> &columns = model.columns().visibleColumns();
    const QLatin1Char tab('\t');
    const QLatin1String lineEnd("\r\n");
    QString out;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i)
            out += tab;
        out += model.columns().caption(columns[i]);
    }
    out += lineEnd;
    for (int row : rows) {
        if (row < 0 || row >= model.rowCount() || model.rowAt(row).kind != RowKind::Data)
            continue;
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i)
                out += tab;
            out += oneLineText(model.cellBytes(row, columns[i]));
        }
        out += lineEnd;
    }
    return out;
}

} // namespace pensilio::grid

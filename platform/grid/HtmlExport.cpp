#include "platform/grid/HtmlExport.h"

#include "platform/core/Cp1252.h"
#include "platform/core/Error.h"
#include "platform/grid/BandedGridView.h"
#include "platform/grid/HtmlOutputFile.h"
#include "platform/grid/HtmlViewSource.h"
#include "platform/grid/HtmlWriter.h"
#include "platform/grid/StockTexts.h"

namespace pensilio::grid {

QString withExtension(const QString &fileName, const QString &extension)
{
    const qsizetype slash =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > slash ? fileName.left(dot) : fileName;
    return stem + QLatin1Char('.') + extension;
}

HtmlExportLook exportLookOf(const BandedGridView &widget, const HtmlSystemColors &system)
{
    HtmlExportLook look;
    look.layout = widget.columnLayout();
    look.palette = widget.palette();
    look.font = widget.font();
    look.system = system;
    return look;
}

void exportGrid(ExportGrid &grid, const ExportRequest &request)
{
    if (!grid.hasActiveLevel)
        throw Error(stockText(QStringLiteral("Active grid level does not exist")));
    if (!grid.view)
        throw Error(stockText(QStringLiteral("Grid view does not exist")));
    if (request.kind != int(ExportKind::Html))
        throw Error(QStringLiteral("Unsupported export type: %1").arg(request.kind));
    const QString path = withExtension(request.fileName, request.extension);

    HtmlViewSource &view = *grid.view;
    if (request.expand) {
        if (request.saveAll) {
            view.expandAllGroups();
        } else {
            const int focused = view.focusedRow();
            if (focused >= 0 && focused < view.rowCount() &&
                view.rowAt(focused).kind == RowKind::Group)
                view.expandGroup(focused);
        }
    }

    HtmlTableBuilder builder(view, grid.look);
    const HtmlPage page = builder.build(request.saveAll ? HtmlTableBuilder::Rows::All
                                                        : HtmlTableBuilder::Rows::Focused);

    // Escaped like a cell's text: a folder named with "<" or "&" must not break the page.
    const QByteArray title = escapeMarkup(cp1252::fromUnicode(path));
    HtmlOutputFile file(path);
    writeHtmlDocument(title, page.cells, page.styles, view,
                      [&file](std::string_view bytes) { file.write(bytes); });
    file.commit();
}

} // namespace pensilio::grid

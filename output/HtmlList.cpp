#include "output/HtmlList.h"

#include "output/OpenWithShell.h"
#include "platform/core/DesktopShell.h"
#include "platform/grid/BandedGridView.h"
#include "platform/grid/HtmlViewSource.h"
#include "platform/memdata/Table.h"

#include <QGuiApplication>

namespace pensilio {

namespace {
const QString kPage = QStringLiteral("MemoLst.html");
}

const grid::HtmlSystemColors &htmlSystemColors()
{
    static const grid::HtmlSystemColors colors =
        grid::HtmlSystemColors::fromPalette(QGuiApplication::palette());
    return colors;
}

void StampaHTMLselezione1Click(const memdata::Table &ScadData, grid::ExportGrid &cxGrid1,
                               DesktopShell &shell, const QString &folder)
{
    if (ScadData.recordCount() == 0)
        return;
    grid::ExportRequest request;
    request.fileName = folder + kPage;
    request.kind = int(grid::ExportKind::Html);
    request.extension = QStringLiteral("html");
    request.expand = true;
    request.saveAll = true;
    request.nativeFormat = false;
    grid::exportGrid(cxGrid1, request);
    OpenWithShell(shell, kPage, QString(), folder, DesktopShell::Show);
}

void StampaHTMLselezione1Click(const memdata::Table &ScadData, grid::BandedGridView &cxGrid1,
                               DesktopShell &shell, const QString &folder)
{
    if (ScadData.recordCount() == 0)
        return;
    grid::GridViewModel *model = cxGrid1.model();
    std::unique_ptr<grid::GridViewModelHtmlSource> source;
    if (model)
        source = std::make_unique<grid::GridViewModelHtmlSource>(*model);
    grid::ExportGrid grid{true, source.get(), grid::exportLookOf(cxGrid1, htmlSystemColors())};
    StampaHTMLselezione1Click(ScadData, grid, shell, folder);
}

} // namespace pensilio

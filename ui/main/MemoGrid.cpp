#include "ui/main/MemoGrid.h"

#include "platform/grid/GridSummaries.h"
#include "platform/grid/GridViewModel.h"

namespace pensilio {

using namespace grid;

namespace {

GridStyle style(ColorSpec background, ColorSpec text, const char *family, int pixels, bool bold)
{
    GridStyle s;
    s.background = background;
    s.textColor = text;
    s.fontFamily = QLatin1String(family);
    s.pixelSize = pixels;
    s.bold = bold;
    return s;
}

} // namespace

void configureMemoGrid(GridViewModel &view)
{
    const QColor darkBlue(0x00, 0x00, 0x8A);
    const GridStyle cxStyle1 =
        style(QPalette::Light, QPalette::WindowText, "MS Sans Serif", 11, false);
    const GridStyle cxStyle3 = style(QPalette::Light, QColor(0x00, 0x80, 0x00), "Tahoma", 12, true);
    const GridStyle cxStyle10 = style(QPalette::Base, darkBlue, "HE_TERMINAL", 12, false);
    const GridStyle cxStyle13 = style(QPalette::ToolTipBase, darkBlue, "Tahoma", 12, true);
    const GridStyle cxStyle14 = style(QPalette::ToolTipBase, darkBlue, "HE_TERMINAL", 12, false);

    GridColumnSet set;
    set.addBand(GridBand{QString(), 382, BandFixing::Left, Qt::AlignCenter});
    set.addBand(GridBand{QStringLiteral("Note"), 0, BandFixing::None, Qt::AlignCenter});

    ColumnOptions noFilterNoGroup;
    noFilterNoGroup.filtering = false;
    noFilterNoGroup.filterMruList = false;
    noFilterNoGroup.grouping = false;

    GridColumn recId;
    recId.name = QStringLiteral("cxGrid1DBTableView1RecId");
    recId.fieldName = QStringLiteral("RecId");
    recId.band = 0, recId.colIndex = 0, recId.lineCount = 1, recId.visible = false;
    set.addColumn(recId);

    GridColumn dataOra;
    dataOra.name = QStringLiteral("cxGrid1DBTableView1DataOra");
    dataOra.fieldName = QStringLiteral("DataOra");
    dataOra.band = 0, dataOra.colIndex = 1, dataOra.lineCount = 2, dataOra.width = 90;
    dataOra.headerAlignment = Qt::AlignCenter;
    dataOra.options = noFilterNoGroup;
    dataOra.contentStyle = cxStyle14;
    dataOra.headerStyle = cxStyle13;
    set.addColumn(dataOra);

    GridColumn numScad;
    numScad.name = QStringLiteral("cxGrid1DBTableView1NumScad");
    numScad.fieldName = QStringLiteral("NumScad");
    numScad.band = 0, numScad.colIndex = 2, numScad.lineCount = 1, numScad.visible = false;
    set.addColumn(numScad);

    GridColumn oggetto;
    oggetto.name = QStringLiteral("cxGrid1DBTableView1Oggetto");
    oggetto.fieldName = QStringLiteral("Oggetto");
    oggetto.band = 0, oggetto.colIndex = 3, oggetto.lineCount = 2, oggetto.width = 194;
    oggetto.headerAlignment = Qt::AlignHCenter | Qt::AlignTop;
    oggetto.contentStyle = cxStyle14;
    oggetto.headerStyle = cxStyle13;
    set.addColumn(oggetto);

    // Bound as "Note" to the field the table calls "note": names match ignoring case.
    GridColumn note;
    note.name = QStringLiteral("cxGrid1DBTableView1Note");
    note.fieldName = QStringLiteral("Note");
    note.band = 1, note.colIndex = 0, note.lineCount = 2, note.width = 668;
    note.headerAlignment = Qt::AlignHCenter | Qt::AlignTop;
    note.options = noFilterNoGroup;
    note.contentStyle = cxStyle10;
    note.headerStyle = cxStyle13;
    set.addColumn(note);

    const int numScadColumn = set.findColumn(u"NumScad");
    view.setColumns(std::move(set));
    view.setKeyFieldName(QStringLiteral("NumScad"));

    // One summary group counts NumScad in the group footer, but its fourteen links are all empty:
    // it serves no grouping, so every group footer stays empty.
    GridSummaries summaries;
    SummaryGroup count;
    count.linkedColumns.assign(14, -1);
    count.footerItems.push_back(
        SummaryItem{numScadColumn, SummaryKind::Count, QStringLiteral("#####")});
    summaries.groups.push_back(std::move(count));
    view.setSummaries(std::move(summaries));

    GridViewOptions options;
    options.groupByBox = true;
    options.bandHeaders = true;
    options.columnHeaders = true;
    options.indicator = true;
    options.columnAutoWidth = true;
    options.hideSelection = true;
    options.deleting = true;
    options.groupFooters = GroupFooterMode::Always;
    view.setOptions(options);

    GridViewStyles styles;
    styles.header = cxStyle1;
    styles.indicator = cxStyle1;
    styles.footer = cxStyle3;
    view.setStyles(std::move(styles));
}

} // namespace pensilio

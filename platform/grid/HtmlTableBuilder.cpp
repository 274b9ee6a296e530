#include "platform/grid/HtmlTableBuilder.h"

#include "platform/core/Cp1252.h"
#include "platform/grid/HtmlViewSource.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

namespace pensilio::grid {

namespace {

QRgb rgbOf(const QColor &color)
{
    return qRgb(color.red(), color.green(), color.blue());
}

HtmlAlignment horizontal(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return HtmlAlignment::Center;
    if (alignment & Qt::AlignRight)
        return HtmlAlignment::Right;
    return HtmlAlignment::Left;
}

// Font sizes go out in whole points at 96 dots per inch.
int pointsOf(const QFont &font)
{
    if (font.pixelSize() > 0)
        return qRound(font.pixelSize() * 72.0 / 96.0);
    return qRound(font.pointSizeF());
}

enum class Borders
{
    All,       // 1 pixel on every side
    None,      // background: 0 on every side
    GridLines, // 1 pixel where the view draws grid lines
    Sides      // indents: the vertical grid lines only
};

// A lazily numbered style: it takes its number when a cell first uses it.
struct StyleSlot
{
    HtmlCellStyle style;
    int index = -1;
    int get(HtmlStyleTable &table)
    {
        if (index < 0)
            index = table.add(style);
        return index;
    }
};

} // namespace

HtmlSystemColors HtmlSystemColors::fromPalette(const QPalette &palette)
{
    return {rgbOf(palette.color(QPalette::ButtonText)), rgbOf(palette.color(QPalette::Dark)),
            rgbOf(palette.color(QPalette::Button)), rgbOf(palette.color(QPalette::Base))};
}

HtmlCellStyle baseCellStyle(const HtmlSystemColors &system)
{
    HtmlCellStyle s;
    s.alignment = HtmlAlignment::Center;
    s.fontName = QByteArrayLiteral("Tahoma");
    s.fontStyle = 0;
    s.fontColor = system.buttonText;
    s.fontSize = 8;
    s.charset = 0;
    for (HtmlBorder &b : s.borders)
        b = {false, 1, system.buttonShadow};
    s.brushStyle = 0;
    s.background = system.window;
    s.foreground = 0;
    return s;
}

struct HtmlTableBuilder::Private
{
    const HtmlViewSource &view;
    const HtmlExportLook &look;
    HtmlPage page;
    HtmlCellTable &cells = page.cells;
    HtmlStyleTable &styles = page.styles;

    std::vector<int> edges;
    int levels = 0;
    int lines = 1;
    int headerTop = 0;

    // Styles of the parts that repeat on every row, numbered on first use.
    StyleSlot headerBackground, contentBackground, footerBackground, groupIndent, groupText,
        expandButton, emptyFooter;
    std::vector<StyleSlot> headerStyles;      // by layout column entry
    std::vector<StyleSlot> contentStyles;     // by layout column entry
    std::vector<StyleSlot> footerStyles;      // by layout column entry, for footers with a text
    std::unordered_map<qint64, int> bordered; // (style, side) -> the style with a 1-pixel side

    Private(const HtmlViewSource &v, const HtmlExportLook &l) : view(v), look(l) {}

    int columnOf(int x) const
    {
        return int(std::lower_bound(edges.begin(), edges.end(), x) - edges.begin());
    }

    HtmlCellStyle styleOf(const GridStyle *style, QPalette::ColorRole background,
                          QPalette::ColorRole text, Qt::Alignment alignment, Borders borders) const
    {
        const QFont font = style ? style->font(look.font) : look.font;
        const QColor bg = look.palette.color(background);
        const QColor fg = look.palette.color(text);
        HtmlCellStyle s = baseCellStyle(look.system);
        s.alignment = horizontal(alignment);
        s.fontName = cp1252::fromUnicode(font.family()).left(HtmlCellStyle::kMaxFontName);
        s.fontStyle =
            quint8((font.bold() ? FontBold : 0) | (font.italic() ? FontItalic : 0) |
                   (font.underline() ? FontUnderline : 0) | (font.strikeOut() ? FontStrikeOut : 0));
        s.fontSize = pointsOf(font);
        s.fontColor = rgbOf(style ? style->textColor.resolve(look.palette, fg) : fg);
        s.background = rgbOf(style ? style->background.resolve(look.palette, bg) : bg);
        const int horizontalLine = look.horizontalGridLines ? 1 : 0;
        const int verticalLine = look.verticalGridLines ? 1 : 0;
        switch (borders) {
        case Borders::All:
            break;
        case Borders::None:
            s.fontStyle &= quint8(~(FontBold | FontItalic | FontUnderline));
            for (HtmlBorder &b : s.borders)
                b.width = 0;
            break;
        case Borders::GridLines:
            s.borders[SideLeft].width = s.borders[SideRight].width = verticalLine;
            s.borders[SideTop].width = s.borders[SideBottom].width = horizontalLine;
            break;
        case Borders::Sides:
            s.borders[SideLeft].width = s.borders[SideRight].width = verticalLine;
            s.borders[SideTop].width = s.borders[SideBottom].width = 0;
            break;
        }
        return s;
    }

    static const GridStyle *pick(const std::optional<GridStyle> &own,
                                 const std::optional<GridStyle> &viewWide)
    {
        return own ? &*own : (viewWide ? &*viewWide : nullptr);
    }

    void prepareStyles()
    {
        const GridViewStyles &vs = view.styles();
        const GridColumnSet &set = view.columns();
        const GridStyle *none = nullptr;
        headerBackground.style =
            styleOf(none, QPalette::Button, QPalette::ButtonText, Qt::AlignLeft, Borders::None);
        contentBackground.style = styleOf(pick(std::nullopt, vs.content), QPalette::Base,
                                          QPalette::Text, Qt::AlignLeft, Borders::None);
        footerBackground.style = styleOf(pick(std::nullopt, vs.footer), QPalette::Button,
                                         QPalette::ButtonText, Qt::AlignLeft, Borders::None);
        const GridStyle *group = pick(std::nullopt, vs.group);
        groupIndent.style =
            styleOf(group, QPalette::Button, QPalette::ButtonText, Qt::AlignLeft, Borders::Sides);
        groupText.style = styleOf(group, QPalette::Button, QPalette::ButtonText, Qt::AlignLeft,
                                  Borders::GridLines);
        expandButton.style = baseCellStyle(look.system);
        expandButton.style.background = look.system.buttonFace;
        emptyFooter.style = styleOf(pick(std::nullopt, vs.footer), QPalette::Button,
                                    QPalette::ButtonText, Qt::AlignCenter, Borders::All);
        for (const ColumnGeometry &g : look.layout.columns()) {
            const GridColumn &c = set.column(g.column);
            headerStyles.push_back(
                {styleOf(pick(c.headerStyle, vs.header), QPalette::Button, QPalette::ButtonText,
                         c.headerAlignment, Borders::All)});
            contentStyles.push_back(
                {styleOf(pick(c.contentStyle, vs.content), QPalette::Base, QPalette::Text,
                         c.contentAlignment, Borders::GridLines)});
            footerStyles.push_back(
                {styleOf(pick(std::nullopt, vs.footer), QPalette::Button, QPalette::ButtonText,
                         c.contentAlignment, Borders::All)});
        }
    }

    // The cell's style with a 1-pixel border on one side.
    void setBorder(HtmlCell &cell, HtmlSide side)
    {
        const qint64 key = (qint64(cell.style) << 2) | side;
        const auto it = bordered.find(key);
        if (it != bordered.end()) {
            cell.style = it->second;
            return;
        }
        HtmlCellStyle s = styles.at(cell.style);
        s.borders[side] = {false, 1, look.system.buttonShadow};
        const int index = styles.add(s);
        bordered.emplace(key, index);
        cell.style = index;
    }

    void fill(int firstRow, int rowCount, int style)
    {
        for (int r = firstRow; r < firstRow + rowCount; ++r) {
            for (int c = 0; c < cells.columnCount(); ++c)
                cells.at(c, r).style = style;
        }
    }

    void place(int column, int row, int columns, int rows, int style, qint32 source,
               qint16 viewColumn)
    {
        cells.unite(column, row, columns, rows);
        HtmlCell &cell = cells.at(column, row);
        cell.style = style;
        cell.source = source;
        cell.column = viewColumn;
        cell.flags |= HtmlCell::Owned;
    }

    qint32 literal(const QString &text) { return cells.addText(cp1252::fromUnicode(text)); }

    void indents(int row, int rows, int level)
    {
        for (int r = row; r < row + rows; ++r) {
            for (int c = 0; c < level && c < cells.columnCount(); ++c) {
                HtmlCell &cell = cells.at(c, r);
                cell.style = groupIndent.get(styles);
                cell.flags |= HtmlCell::Owned;
            }
        }
    }

    void layoutColumns()
    {
        edges.push_back(0);
        for (int l = 1; l <= levels; ++l)
            edges.push_back(l * kIndentWidth);
        for (const BandGeometry &b : look.layout.bands()) {
            for (const ColumnGeometry &g : look.layout.columns()) {
                if (g.band == b.band)
                    edges.push_back(g.right);
            }
            edges.push_back(b.right);
        }
        // An indent wider than a very narrow grid would open a column no band covers.
        const int width = look.layout.width();
        edges.erase(
            std::remove_if(edges.begin(), edges.end(), [width](int x) { return x > width; }),
            edges.end());
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        edges.erase(std::remove_if(edges.begin(), edges.end(), [](int x) { return x < 0; }),
                    edges.end());
        const int count = std::max(0, int(edges.size()) - 1);
        cells.setColumnCount(count);
        for (int c = 0; c < count; ++c)
            cells.setColumnWidth(c, edges[size_t(c) + 1] - edges[size_t(c)]);
    }

    bool footerShown(int groupRow) const
    {
        switch (view.options().groupFooters) {
        case GroupFooterMode::Never:
            return false;
        case GroupFooterMode::WhenExpanded:
            return view.isGroupExpanded(groupRow);
        case GroupFooterMode::Always:
            return true;
        }
        return false;
    }

    void bandHeaders()
    {
        const GridViewStyles &vs = view.styles();
        for (const BandGeometry &b : look.layout.bands()) {
            const int c0 = columnOf(b.left), c1 = columnOf(b.right);
            if (c1 <= c0)
                continue;
            const GridBand &band = view.columns().band(b.band);
            const int style =
                styles.add(styleOf(pick(std::nullopt, vs.header), QPalette::Button,
                                   QPalette::ButtonText, band.captionAlignment, Borders::All));
            place(c0, 0, c1 - c0, 1, style, literal(band.caption), HtmlCell::kLiteral);
        }
    }

    void columnHeaders()
    {
        fill(headerTop, lines, headerBackground.get(styles));
        const std::vector<ColumnGeometry> &geometry = look.layout.columns();
        for (size_t i = 0; i < geometry.size(); ++i) {
            const ColumnGeometry &g = geometry[i];
            const int c0 = columnOf(g.left), c1 = columnOf(g.right);
            if (c1 <= c0)
                continue;
            place(c0, headerTop + g.firstLine, c1 - c0, g.lineCount, headerStyles[i].get(styles),
                  literal(view.columns().caption(g.column)), HtmlCell::kLiteral);
        }
    }

    void record(int row, int viewRow, int level)
    {
        fill(row, lines, contentBackground.get(styles));
        const std::vector<ColumnGeometry> &geometry = look.layout.columns();
        for (size_t i = 0; i < geometry.size(); ++i) {
            const ColumnGeometry &g = geometry[i];
            const int c0 = std::max(columnOf(g.left), level), c1 = columnOf(g.right);
            if (c1 <= c0)
                continue;
            place(c0, row + g.firstLine, c1 - c0, g.lineCount, contentStyles[i].get(styles),
                  viewRow, qint16(g.column));
        }
        indents(row, lines, level);
        // What no cell covers shows the grid lines around the record and between the bands.
        auto background = [this](int c, int r) -> HtmlCell * {
            HtmlCell &cell = cells.at(c, r);
            return cell.flags & (HtmlCell::Owned | HtmlCell::Hidden) ? nullptr : &cell;
        };
        const int columns = cells.columnCount();
        if (look.horizontalGridLines) {
            for (int c = 0; c < columns; ++c) {
                if (HtmlCell *cell = background(c, row))
                    setBorder(*cell, SideTop);
                if (HtmlCell *cell = background(c, row + lines - 1))
                    setBorder(*cell, SideBottom);
            }
        }
        if (look.verticalGridLines) {
            const std::vector<BandGeometry> &bands = look.layout.bands();
            for (size_t b = 0; b + 1 < bands.size(); ++b) {
                const int boundary = columnOf(bands[b].right);
                for (int r = row; r < row + lines; ++r) {
                    if (boundary > 0)
                        if (HtmlCell *cell = background(boundary - 1, r))
                            setBorder(*cell, SideRight);
                    if (boundary < columns)
                        if (HtmlCell *cell = background(boundary, r))
                            setBorder(*cell, SideLeft);
                }
            }
        }
    }

    void groupRow(int row, int viewRow, int level)
    {
        const int columns = cells.columnCount();
        indents(row, 1, level);
        if (level >= columns)
            return;
        const qint32 sign = cells.addText(view.isGroupExpanded(viewRow) ? QByteArrayLiteral("-")
                                                                        : QByteArrayLiteral("+"));
        place(level, row, 1, 1, expandButton.get(styles), sign, HtmlCell::kLiteral);
        cells.setColumnWidth(level, kExpandButtonWidth);
        if (level + 1 >= columns)
            return;
        const int groupColumn = view.groupColumn(viewRow);
        QByteArray text = groupColumn >= 0
                              ? cp1252::fromUnicode(view.columns().caption(groupColumn))
                              : QByteArray();
        text += " : ";
        text += view.groupValueText(viewRow);
        const QByteArray summary = view.groupSummaryText(viewRow);
        if (!summary.isEmpty())
            text += ' ' + summary;
        place(level + 1, row, columns - level - 1, 1, groupText.get(styles),
              cells.addText(std::move(text)), HtmlCell::kLiteral);
    }

    void groupFooter(int row, int groupViewRow, int level)
    {
        fill(row, lines, footerBackground.get(styles));
        indents(row, lines, level);
        const std::vector<ColumnGeometry> &geometry = look.layout.columns();
        for (size_t i = 0; i < geometry.size(); ++i) {
            const ColumnGeometry &g = geometry[i];
            const int c0 = std::max(columnOf(g.left), level), c1 = columnOf(g.right);
            if (c1 <= c0)
                continue;
            QByteArray text = view.groupFooterText(groupViewRow, g.column);
            const bool empty = text.isEmpty();
            place(c0, row + g.firstLine, c1 - c0, g.lineCount,
                  empty ? emptyFooter.get(styles) : footerStyles[i].get(styles),
                  empty ? 0 : cells.addText(std::move(text)),
                  empty ? HtmlCell::kNoText : HtmlCell::kLiteral);
        }
    }

    void lastRowAndColumn()
    {
        const int columns = cells.columnCount(), rows = cells.rowCount();
        if (columns == 0 || rows == 0)
            return;
        for (int c = 0; c < columns; ++c) {
            HtmlCell &cell = cells.at(c, rows - 1);
            if (cell.style >= 0 && styles.at(cell.style).borders[SideBottom].width > 0)
                break;
            if (cell.style >= 0)
                setBorder(cell, SideBottom);
        }
        if (look.verticalGridLines) {
            for (int r = 0; r < rows; ++r) {
                HtmlCell &cell = cells.at(columns - 1, r);
                if (cell.style >= 0)
                    setBorder(cell, SideRight);
            }
        }
    }
};

HtmlTableBuilder::HtmlTableBuilder(const HtmlViewSource &view, const HtmlExportLook &look)
    : d(std::make_unique<Private>(view, look))
{}

HtmlTableBuilder::~HtmlTableBuilder() = default;

HtmlPage HtmlTableBuilder::build(Rows which)
{
    Private &p = *d;
    const HtmlViewSource &view = p.view;
    const GridViewOptions &options = view.options();
    p.levels = view.groupLevelCount();
    p.lines = p.look.layout.linesPerRecord();
    p.layoutColumns();
    p.prepareStyles();

    // The rows that go out; footers are not taken from the view but follow from its groups.
    std::vector<int> exported;
    if (which == Rows::Focused) {
        const int focused = view.focusedRow();
        if (focused >= 0 && focused < view.rowCount() &&
            view.rowAt(focused).kind != RowKind::GroupFooter)
            exported.push_back(focused);
    }
    const int viewRows = which == Rows::All ? view.rowCount() : int(exported.size());
    auto viewRowAt = [&](int i) { return which == Rows::All ? i : exported[size_t(i)]; };

    qint64 rows = (options.bandHeaders ? 1 : 0) + (options.columnHeaders ? p.lines : 0);
    p.headerTop = options.bandHeaders ? 1 : 0;
    for (int i = 0; i < viewRows; ++i) {
        const int index = viewRowAt(i);
        const GridRow r = view.rowAt(index);
        if (r.kind == RowKind::Data)
            rows += p.lines;
        else if (r.kind == RowKind::Group)
            rows += 1 + (p.footerShown(index) ? p.lines : 0);
    }
    if (rows > std::numeric_limits<int>::max() / std::max(1, p.cells.columnCount()))
        throw Error(QStringLiteral("Invalid column or row count"));
    p.cells.setRowCount(int(rows));

    if (options.bandHeaders)
        p.bandHeaders();
    if (options.columnHeaders)
        p.columnHeaders();
    int row = p.headerTop + (options.columnHeaders ? p.lines : 0);

    struct Open
    {
        int level;
        int viewRow;
    };
    std::vector<Open> open;
    auto closeGroups = [&](int level) {
        while (!open.empty() && open.back().level >= level) {
            if (p.footerShown(open.back().viewRow)) {
                p.groupFooter(row, open.back().viewRow, open.back().level);
                row += p.lines;
            }
            open.pop_back();
        }
    };
    for (int i = 0; i < viewRows; ++i) {
        const int index = viewRowAt(i);
        const GridRow r = view.rowAt(index);
        if (r.kind == RowKind::Data) {
            p.record(row, index, std::min(r.level, p.levels));
            row += p.lines;
        } else if (r.kind == RowKind::Group) {
            closeGroups(r.level);
            p.groupRow(row, index, r.level);
            open.push_back({r.level, index});
            row += 1;
        }
    }
    closeGroups(0);
    p.lastRowAndColumn();
    return std::move(p.page);
}

} // namespace pensilio::grid

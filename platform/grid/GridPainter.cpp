#include "platform/grid/GridPainter.h"

#include "platform/grid/CellText.h"
#include "platform/grid/GridViewModel.h"
#include "platform/grid/StockTexts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPolygon>

namespace pensilio::grid {

namespace {
constexpr int kIndicatorWidth = 12;
constexpr int kTextMargin = 3;

// A sort mark: a small triangle pointing up for ascending, down for descending.
void paintSortMark(QPainter &p, const QRect &header, Qt::SortOrder order, QColor color)
{
    const int cx = header.right() - 8;
    const int cy = header.center().y();
    QPolygon mark;
    if (order == Qt::AscendingOrder)
        mark << QPoint(cx - 4, cy + 2) << QPoint(cx + 4, cy + 2) << QPoint(cx, cy - 2);
    else
        mark << QPoint(cx - 4, cy - 2) << QPoint(cx + 4, cy - 2) << QPoint(cx, cy + 2);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(mark);
    p.setBrush(Qt::NoBrush);
}
} // namespace

int GridMetrics::rowHeight(RowKind kind) const
{
    switch (kind) {
    case RowKind::Data:
        return recordHeight;
    case RowKind::Group:
        return groupRowHeight;
    case RowKind::GroupFooter:
        return footerHeight;
    }
    return recordHeight;
}

void GridPainter::prepare(const GridViewModel &model, const QPalette &palette, const QFont &font)
{
    const GridViewStyles &styles = model.styles();
    auto look = [&](const std::optional<GridStyle> &own, const std::optional<GridStyle> &view,
                    QPalette::ColorRole background, QPalette::ColorRole text) {
        const GridStyle *style = own ? &*own : (view ? &*view : nullptr);
        const QColor bg = palette.color(background);
        const QColor fg = palette.color(text);
        Look l{font, bg, fg};
        if (style)
            l = Look{style->font(font), style->background.resolve(palette, bg),
                     style->textColor.resolve(palette, fg)};
        const QFontMetrics fm(l.font);
        l.narrowest = fm.averageCharWidth();
        for (char16_t c = 0x21; c < 0x7f; ++c)
            l.narrowest = std::min(l.narrowest, fm.horizontalAdvance(QChar(c)));
        l.narrowest = std::max(1, l.narrowest);
        return l;
    };
    const GridColumnSet &columns = model.columns();
    m_content.clear();
    m_header.clear();
    int lineHeight = QFontMetrics(font).height();
    int headerLineHeight = lineHeight;
    for (int c = 0; c < columns.columnCount(); ++c) {
        const GridColumn &column = columns.column(c);
        m_content.push_back(
            look(column.contentStyle, styles.content, QPalette::Base, QPalette::Text));
        m_header.push_back(
            look(column.headerStyle, styles.header, QPalette::Button, QPalette::ButtonText));
        if (column.visible) {
            lineHeight = std::max(lineHeight, QFontMetrics(m_content.back().font).height());
            headerLineHeight =
                std::max(headerLineHeight, QFontMetrics(m_header.back().font).height());
        }
    }
    m_bandHeader = look(std::nullopt, styles.header, QPalette::Button, QPalette::ButtonText);
    m_indicator = look(std::nullopt, styles.indicator ? styles.indicator : styles.header,
                       QPalette::Button, QPalette::ButtonText);
    m_groupBox = look(std::nullopt, std::nullopt, QPalette::Mid, QPalette::Light);
    m_gridLine = palette.color(QPalette::Mid);
    m_highlight = palette.color(QPalette::Highlight);
    m_highlightedText = palette.color(QPalette::HighlightedText);
    m_empty = palette.color(QPalette::Base);

    const GridViewOptions &options = model.options();
    const int lines = GridLayout(columns, 0, GridLayout::Fit::NaturalWidths).linesPerRecord();
    GridMetrics &m = m_metrics;
    m.indicatorWidth = options.indicator ? kIndicatorWidth : 0;
    m.groupBoxHeight = options.groupByBox ? QFontMetrics(m_groupBox.font).height() + 16 : 0;
    m.bandHeaderHeight = options.bandHeaders ? QFontMetrics(m_bandHeader.font).height() + 6 : 0;
    m.headerLineHeight = headerLineHeight + 4;
    m.headerHeight = options.columnHeaders ? m.headerLineHeight * lines : 0;
    m.lineHeight = lineHeight + 1;
    m.recordHeight = m.lineHeight * lines + 4;
    m.groupRowHeight = m.lineHeight + 6;
    m.footerHeight = m.recordHeight;
}

int GridPainter::screenLeft(int left, bool fixed, int horizontalOffset) const
{
    return m_metrics.indicatorWidth + left - (fixed ? 0 : horizontalOffset);
}

QRect GridPainter::columnRect(const GridLayout &layout, int column, int top, int lineHeight,
                              int horizontalOffset) const
{
    const ColumnGeometry *g = layout.geometryOf(column);
    if (!g)
        return {};
    const BandGeometry *band = layout.bandGeometryOf(g->band);
    const int x = screenLeft(g->left, band && band->fixed, horizontalOffset);
    return QRect(x, top + g->firstLine * lineHeight, g->width(), g->lineCount * lineHeight);
}

QRect GridPainter::clipFor(const QRect &area, bool fixed, int fixedWidth) const
{
    if (fixed)
        return area;
    QRect clip = area;
    clip.setLeft(m_metrics.indicatorWidth + fixedWidth);
    return clip;
}

void GridPainter::paintCellText(QPainter &p, const QRect &rect, const QString &text,
                                const Look &look, Qt::Alignment alignment, QColor color) const
{
    const QRect inner = rect.adjusted(kTextMargin, 1, -kTextMargin, -1);
    if (inner.width() <= 0 || text.isEmpty())
        return;
    p.setFont(look.font);
    p.setPen(color);
    const QFontMetrics fm(look.font);
    p.drawText(inner, int(alignment) | Qt::TextSingleLine,
               fm.elidedText(text, Qt::ElideRight, inner.width()));
}

void GridPainter::paint(QPainter &p, const QRect &area, const GridViewModel &model,
                        const GridLayout &layout, const GridViewState &state) const
{
    // Every part fills its own background; only what lies right of the bands is filled here,
    // so no pixel is painted twice.
    const int right =
        screenLeft(layout.width(), layout.width() <= layout.fixedWidth(), state.horizontalOffset);
    if (right <= area.right())
        p.fillRect(QRect(right, area.top(), area.right() - right + 1, area.height()), m_empty);
    for (const BandGeometry &b : layout.bands()) {
        const bool empty = std::none_of(layout.columns().begin(), layout.columns().end(),
                                        [&b](const ColumnGeometry &g) { return g.band == b.band; });
        if (empty) {
            p.setClipRect(clipFor(area, b.fixed, layout.fixedWidth()));
            p.fillRect(QRect(screenLeft(b.left, b.fixed, state.horizontalOffset), area.top(),
                             b.width(), area.height()),
                       m_empty);
            p.setClipping(false);
        }
    }
    if (m_metrics.groupBoxHeight > 0)
        paintGroupBox(p, area);
    paintHeaders(p, area, model, layout, state);
    paintRows(p, area, model, layout, state);
}

void GridPainter::paintGroupBox(QPainter &p, const QRect &area) const
{
    const QRect box(area.left(), 0, area.width(), m_metrics.groupBoxHeight);
    p.fillRect(box, m_groupBox.background);
    p.setFont(m_groupBox.font);
    p.setPen(m_groupBox.text);
    p.drawText(box.adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               stockText(QStringLiteral("Drag a column header here to group by that column")));
}

void GridPainter::paintHeaders(QPainter &p, const QRect &area, const GridViewModel &model,
                               const GridLayout &layout, const GridViewState &state) const
{
    const GridMetrics &m = m_metrics;
    const int top = m.groupBoxHeight;
    const int bottom = m.dataTop();
    if (bottom <= top)
        return;
    if (m.indicatorWidth > 0) {
        const QRect corner(0, top, m.indicatorWidth, bottom - top);
        p.fillRect(corner, m_indicator.background);
        p.setPen(m_gridLine);
        p.drawRect(corner.adjusted(0, 0, -1, -1));
    }
    for (const BandGeometry &b : layout.bands()) {
        p.setClipRect(clipFor(area, b.fixed, layout.fixedWidth()));
        const int x = screenLeft(b.left, b.fixed, state.horizontalOffset);
        if (m.bandHeaderHeight > 0) {
            const QRect r(x, top, b.width(), m.bandHeaderHeight);
            p.fillRect(r, m_bandHeader.background);
            p.setPen(m_gridLine);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            const GridBand &band = model.columns().band(b.band);
            paintCellText(p, r, band.caption, m_bandHeader, band.captionAlignment,
                          m_bandHeader.text);
        }
    }
    if (m.headerHeight > 0) {
        for (const ColumnGeometry &g : layout.columns()) {
            const BandGeometry *band = layout.bandGeometryOf(g.band);
            p.setClipRect(clipFor(area, band->fixed, layout.fixedWidth()));
            const QRect r = columnRect(layout, g.column, m.headerTop(), m.headerLineHeight,
                                       state.horizontalOffset);
            const Look &look = m_header[static_cast<size_t>(g.column)];
            p.fillRect(r, look.background);
            p.setPen(m_gridLine);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            const GridColumn &column = model.columns().column(g.column);
            paintCellText(p, r.adjusted(0, 0, -10, 0), model.columns().caption(g.column), look,
                          column.headerAlignment, look.text);
            for (const SortKey &k : model.sortKeys()) {
                if (k.column == g.column)
                    paintSortMark(p, r, k.order, look.text);
            }
        }
    }
    p.setClipping(false);
}

void GridPainter::paintRows(QPainter &p, const QRect &area, const GridViewModel &model,
                            const GridLayout &layout, const GridViewState &state) const
{
    const GridMetrics &m = m_metrics;
    const int top = m.dataTop();
    const QRect data(area.left(), top, area.width(), area.bottom() - top + 1);
    if (data.height() <= 0)
        return;
    const int count = model.rowCount();
    if (count == 0) {
        p.fillRect(data, m_empty);
        p.setFont(m_content.empty() ? p.font() : m_content.front().font);
        p.setPen(m_gridLine.darker(150));
        p.drawText(data, Qt::AlignCenter, stockText(QStringLiteral("<No data to display>")));
        return;
    }
    const bool showHighlight = state.hasFocus || !model.options().hideSelection;
    const int focused = model.focusedRow();
    const GridColumnSet &columns = model.columns();
    int y = top;
    for (int i = std::max(0, state.firstRow); i < count && y <= area.bottom(); ++i) {
        const GridRow row = model.rowAt(i);
        const int height = m.rowHeight(row.kind);
        const bool highlighted = i == focused && showHighlight;
        for (const ColumnGeometry &g : layout.columns()) {
            const BandGeometry *band = layout.bandGeometryOf(g.band);
            QRect clip = clipFor(area, band->fixed, layout.fixedWidth());
            clip.setTop(top);
            p.setClipRect(clip);
            QRect r = columnRect(layout, g.column, y + 2, m.lineHeight, state.horizontalOffset);
            if (g.firstLine == 0)
                r.setTop(y);
            if (g.firstLine + g.lineCount == layout.linesPerRecord())
                r.setBottom(y + height - 1);
            const Look &look = m_content[static_cast<size_t>(g.column)];
            p.fillRect(r, highlighted ? m_highlight : look.background);
            p.setPen(m_gridLine);
            p.drawLine(r.topRight(), r.bottomRight());
            p.drawLine(r.bottomLeft(), r.bottomRight());
            // Only as much of a long note as can show is converted.
            const int field = columns.fieldOf(g.column);
            if (row.kind == RowKind::Data && field >= 0) {
                const QByteArray bytes = model.table()->displayText(row.row, field);
                const QString text = oneLineText(bytes, r.width() / look.narrowest + 2);
                paintCellText(p, r.adjusted(0, 1, 0, 0), text, look,
                              columns.column(g.column).contentAlignment,
                              highlighted ? m_highlightedText : look.text);
            }
            if (i == focused && state.hasFocus && g.column == state.focusedColumn) {
                p.setPen(QPen(m_highlightedText, 1, Qt::DotLine));
                p.drawRect(r.adjusted(1, 1, -2, -2));
            }
        }
        p.setClipping(false);
        if (m.indicatorWidth > 0) {
            const QRect cell(0, y, m.indicatorWidth, height);
            p.fillRect(cell, m_indicator.background);
            p.setPen(m_gridLine);
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            if (i == focused) {
                const int cy = cell.center().y();
                QPolygon arrow;
                arrow << QPoint(3, cy - 4) << QPoint(3, cy + 4) << QPoint(7, cy);
                p.setPen(Qt::NoPen);
                p.setBrush(m_indicator.text);
                p.drawPolygon(arrow);
                p.setBrush(Qt::NoBrush);
            }
        }
        y += height;
    }
    if (y <= area.bottom())
        p.fillRect(QRect(area.left(), y, area.width(), area.bottom() - y + 1), m_empty);
}

} // namespace pensilio::grid

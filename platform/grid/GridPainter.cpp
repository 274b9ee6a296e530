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
constexpr int kGroupIndent = 16;
constexpr int kFilterButtonWidth = 13;
constexpr int kExpandButtonSize = 9;

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
    m_groupRow = look(std::nullopt, styles.group, QPalette::Button, QPalette::ButtonText);
    m_footer = look(std::nullopt, styles.footer, QPalette::Button, QPalette::ButtonText);
    m_gridLine = palette.color(QPalette::Mid);
    m_highlight = palette.color(QPalette::Highlight);
    m_highlightedText = palette.color(QPalette::HighlightedText);
    m_empty = palette.color(QPalette::Base);

    const GridViewOptions &options = model.options();
    const int lines = GridLayout(columns, 0, GridLayout::Fit::NaturalWidths).linesPerRecord();
    GridMetrics &m = m_metrics;
    m.indicatorWidth = options.indicator ? kIndicatorWidth : 0;
    m.groupIndent = model.groupLevelCount() * kGroupIndent;
    m.groupBoxHeight = options.groupByBox ? QFontMetrics(m_groupBox.font).height() + 16 : 0;
    m.bandHeaderHeight = options.bandHeaders ? QFontMetrics(m_bandHeader.font).height() + 6 : 0;
    m.headerLineHeight = headerLineHeight + 4;
    m.headerHeight = options.columnHeaders ? m.headerLineHeight * lines : 0;
    m.lineHeight = lineHeight + 1;
    m.recordHeight = m.lineHeight * lines + 4;
    m.groupRowHeight = std::max(m.lineHeight, QFontMetrics(m_groupRow.font).height() + 1) + 6;
    m.footerHeight = QFontMetrics(m_footer.font).height() + 6;
}

int GridPainter::screenLeft(int left, bool fixed, int horizontalOffset) const
{
    return m_metrics.indicatorWidth + m_metrics.groupIndent + left - (fixed ? 0 : horizontalOffset);
}

QRect GridPainter::bandHeaderRect(const GridLayout &layout, int band, int horizontalOffset) const
{
    const BandGeometry *b = layout.bandGeometryOf(band);
    if (!b || m_metrics.bandHeaderHeight <= 0)
        return {};
    return QRect(screenLeft(b->left, b->fixed, horizontalOffset), m_metrics.groupBoxHeight,
                 b->width(), m_metrics.bandHeaderHeight);
}

QRect GridPainter::filterButtonRect(const QRect &header)
{
    const int height = std::min(header.height() - 4, 16);
    return QRect(header.right() - kFilterButtonWidth - 1, header.center().y() - height / 2,
                 kFilterButtonWidth, height);
}

QRect GridPainter::expandButtonRect(const QRect &groupRow, int level) const
{
    const int x = m_metrics.indicatorWidth + level * kGroupIndent + 4;
    return QRect(x, groupRow.center().y() - kExpandButtonSize / 2, kExpandButtonSize,
                 kExpandButtonSize);
}

QRect GridPainter::groupButtonRect(const GridViewModel &model) const
{
    const int column = model.groupColumn();
    if (column < 0 || m_metrics.groupBoxHeight <= 0 ||
        static_cast<size_t>(column) >= m_header.size())
        return {};
    const QFontMetrics fm(m_header[static_cast<size_t>(column)].font);
    const int width = fm.horizontalAdvance(model.columns().caption(column)) + 2 * kTextMargin + 18;
    return QRect(8, 5, width, m_metrics.groupBoxHeight - 10);
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
    QRect clip = area;
    clip.setLeft(m_metrics.indicatorWidth + m_metrics.groupIndent + (fixed ? 0 : fixedWidth));
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
        paintGroupBox(p, area, model, state);
    paintHeaders(p, area, model, layout, state);
    paintRows(p, area, model, layout, state);
    if (state.drag.kind != GridDragState::Kind::None)
        paintDrag(p, area, model, state);
}

void GridPainter::paintGroupBox(QPainter &p, const QRect &area, const GridViewModel &model,
                                const GridViewState &state) const
{
    const QRect box(area.left(), 0, area.width(), m_metrics.groupBoxHeight);
    const bool target = state.drag.kind == GridDragState::Kind::Column && state.drag.overGroupBox &&
                        state.drag.accepted;
    p.fillRect(box, target ? m_groupBox.background.lighter(115) : m_groupBox.background);
    const QRect button = groupButtonRect(model);
    if (button.isNull()) {
        p.setFont(m_groupBox.font);
        p.setPen(m_groupBox.text);
        p.drawText(box.adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   stockText(QStringLiteral("Drag a column header here to group by that column")));
        return;
    }
    const Look &look = m_header[static_cast<size_t>(model.groupColumn())];
    p.fillRect(button, look.background);
    p.setPen(m_gridLine);
    p.drawRect(button.adjusted(0, 0, -1, -1));
    paintCellText(p, button.adjusted(0, 0, -16, 0), model.columns().caption(model.groupColumn()),
                  look, Qt::AlignLeft | Qt::AlignVCenter, look.text);
    paintSortMark(p, button, model.groupOrder(), look.text);
}

void GridPainter::paintDrag(QPainter &p, const QRect &area, const GridViewModel &model,
                            const GridViewState &state) const
{
    const GridDragState &d = state.drag;
    QString caption;
    Look look = m_bandHeader;
    if (d.kind == GridDragState::Kind::Band) {
        caption = model.columns().band(d.item).caption;
    } else if (d.item >= 0 && d.item < model.columns().columnCount()) {
        caption = model.columns().caption(d.item);
        look = m_header[static_cast<size_t>(d.item)];
    }
    const QFontMetrics fm(look.font);
    const QRect image(d.position.x() - 10, d.position.y() - fm.height() / 2 - 3,
                      fm.horizontalAdvance(caption) + 2 * kTextMargin + 4, fm.height() + 6);
    p.setOpacity(d.accepted ? 0.85 : 0.5);
    p.fillRect(image, look.background);
    p.setPen(m_gridLine);
    p.drawRect(image.adjusted(0, 0, -1, -1));
    paintCellText(p, image, caption, look, Qt::AlignLeft | Qt::AlignVCenter, look.text);
    p.setOpacity(1.0);
    if (d.dropX >= 0 && d.accepted) {
        // Two arrows above and below the header row mark where the item would go.
        const int top = m_metrics.groupBoxHeight;
        const int bottom = m_metrics.dataTop();
        p.setPen(QPen(m_highlight, 2));
        p.drawLine(d.dropX, top, d.dropX, bottom);
        Q_UNUSED(area)
    }
}

void GridPainter::paintGroupRow(QPainter &p, const QRect &row, const GridViewModel &model,
                                int index, bool highlighted) const
{
    p.fillRect(row, highlighted ? m_highlight : m_groupRow.background);
    p.setPen(m_gridLine);
    p.drawLine(row.bottomLeft(), row.bottomRight());
    const GridRow r = model.rowAt(index);
    const QRect button = expandButtonRect(row, r.level);
    const QColor ink = highlighted ? m_highlightedText : m_groupRow.text;
    p.fillRect(button, m_empty);
    p.setPen(ink);
    p.drawRect(button.adjusted(0, 0, -1, -1));
    const QPoint c = button.center();
    p.drawLine(c.x() - 2, c.y(), c.x() + 2, c.y());
    if (!model.isGroupExpanded(index))
        p.drawLine(c.x(), c.y() - 2, c.x(), c.y() + 2);
    const QRect text(button.right() + 4, row.top(), row.right() - button.right() - 4, row.height());
    paintCellText(p, text, model.groupRowText(index), m_groupRow, Qt::AlignLeft | Qt::AlignVCenter,
                  ink);
}

void GridPainter::paintFooterRow(QPainter &p, const QRect &area, int y, int height,
                                 const GridViewModel &model, const GridLayout &layout, int index,
                                 const GridViewState &state) const
{
    for (const ColumnGeometry &g : layout.columns()) {
        const BandGeometry *band = layout.bandGeometryOf(g.band);
        QRect clip = clipFor(area, band->fixed, layout.fixedWidth());
        clip.setTop(m_metrics.dataTop());
        p.setClipRect(clip);
        const QRect r(screenLeft(g.left, band->fixed, state.horizontalOffset), y, g.width(),
                      height);
        p.fillRect(r, m_footer.background);
        p.setPen(m_gridLine);
        p.drawLine(r.topRight(), r.bottomRight());
        p.drawLine(r.bottomLeft(), r.bottomRight());
        paintCellText(p, r, model.groupFooterText(index, g.column), m_footer,
                      Qt::AlignRight | Qt::AlignVCenter, m_footer.text);
    }
    p.setClipping(false);
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
    if (m.groupIndent > 0)
        p.fillRect(QRect(m.indicatorWidth, top, m.groupIndent, bottom - top),
                   m_bandHeader.background);
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
            const bool filterButton = column.options.filtering;
            const int reserved = filterButton ? kFilterButtonWidth + 2 : 0;
            paintCellText(p, r.adjusted(0, 0, -10 - reserved, 0), model.columns().caption(g.column),
                          look, column.headerAlignment, look.text);
            for (const SortKey &k : model.sortKeys()) {
                if (k.column == g.column)
                    paintSortMark(p, r.adjusted(0, 0, -reserved, 0), k.order, look.text);
            }
            if (filterButton) {
                const bool active = state.filteredColumns &&
                                    size_t(g.column) < state.filteredColumns->size() &&
                                    (*state.filteredColumns)[size_t(g.column)];
                const QRect button = filterButtonRect(r);
                // An active filter shows as a pressed button with a filled, highlighted arrow.
                if (active)
                    p.fillRect(button, m_highlight.lighter(160));
                p.setPen(m_gridLine);
                p.drawRect(button.adjusted(0, 0, -1, -1));
                const QPoint c = button.center();
                QPolygon arrow;
                arrow << QPoint(c.x() - 3, c.y() - 1) << QPoint(c.x() + 3, c.y() - 1)
                      << QPoint(c.x(), c.y() + 2);
                p.setPen(Qt::NoPen);
                p.setBrush(active ? m_highlight : look.text);
                p.drawPolygon(arrow);
                p.setBrush(Qt::NoBrush);
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
        if (m.groupIndent > 0) {
            const int indent = row.kind == RowKind::Group ? 0 : m.groupIndent;
            if (indent > 0)
                p.fillRect(QRect(m.indicatorWidth, y, indent, height), m_groupRow.background);
        }
        if (row.kind == RowKind::Group) {
            paintGroupRow(p,
                          QRect(m.indicatorWidth, y, area.right() - m.indicatorWidth + 1, height),
                          model, i, highlighted);
        } else if (row.kind == RowKind::GroupFooter) {
            paintFooterRow(p, area, y, height, model, layout, i, state);
        }
        for (const ColumnGeometry &g : layout.columns()) {
            if (row.kind != RowKind::Data)
                break;
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

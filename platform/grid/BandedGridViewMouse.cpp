// The grid's mouse gestures: focusing rows and cells, expand buttons, header clicks that sort,
// the filter buttons, dragging headers to the group-by box, to a new place or back out of the
// box, and dragging header edges to size columns and bands.

#include "platform/grid/BandedGridView.h"
#include "platform/grid/GridViewModel.h"
#include "platform/grid/HeaderDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

namespace pensilio::grid {

namespace {
constexpr int kEdgeGrip = 3; // pixels either side of a header edge that grab it
}

BandedGridView::EdgeHit BandedGridView::edgeAt(const QPoint &pos) const
{
    for (const ColumnGeometry &g : m_layout.columns()) {
        const QRect r = headerRect(g.column);
        if (r.top() <= pos.y() && pos.y() <= r.bottom() &&
            std::abs(pos.x() - r.right()) <= kEdgeGrip)
            return {Press::ColumnEdge, g.column};
    }
    for (const BandGeometry &b : m_layout.bands()) {
        const QRect r = bandHeaderRect(b.band);
        if (r.top() <= pos.y() && pos.y() <= r.bottom() &&
            std::abs(pos.x() - r.right()) <= kEdgeGrip)
            return {Press::BandEdge, b.band};
    }
    return {};
}

void BandedGridView::mousePressEvent(QMouseEvent *event)
{
    m_press = Press::None;
    m_drag = GridDragState();
    if (!m_model || event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    m_pressPos = pos;
    const int row = rowAt(pos);
    if (row >= 0) {
        const GridRow r = m_model->rowAt(row);
        if (r.kind == RowKind::Group) {
            const bool onButton = expandButtonRect(row).adjusted(-2, -2, 2, 2).contains(pos);
            moveFocusTo(row);
            if (onButton) {
                if (m_model->isGroupExpanded(row))
                    m_model->collapseGroup(row);
                else
                    m_model->expandGroup(row);
            }
        } else if (r.kind == RowKind::Data) {
            const int column = columnAt(pos);
            if (column >= 0)
                setFocusedColumn(column);
            moveFocusTo(row);
        }
        event->accept();
        return;
    }
    const EdgeHit edge = edgeAt(pos);
    if (edge.kind != Press::None) {
        m_press = edge.kind;
        m_pressItem = edge.item;
        m_pressWidth = edge.kind == Press::ColumnEdge ? headerRect(edge.item).width()
                                                      : bandHeaderRect(edge.item).width();
    } else if (groupButtonRect().contains(pos)) {
        m_press = Press::GroupButton;
        m_pressItem = m_model->groupColumn();
    } else if (const int column = headerColumnAt(pos); column >= 0) {
        if (filterButtonRect(column).contains(pos)) {
            // The drop-down opens under the header; the header itself does not sort.
            const QRect header = headerRect(column);
            Q_EMIT filterDropDownRequested(
                column, QRect(viewport()->mapToGlobal(header.topLeft()), header.size()));
        } else {
            m_press = Press::ColumnHeader;
            m_pressItem = column;
        }
    } else if (const int band = bandHeaderAt(pos); band >= 0) {
        m_press = Press::BandHeader;
        m_pressItem = band;
    }
    event->accept();
}

void BandedGridView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (!m_model || !(event->buttons() & Qt::LeftButton) || m_press == Press::None) {
        const EdgeHit edge = m_model ? edgeAt(pos) : EdgeHit();
        viewport()->setCursor(edge.kind == Press::None ? Qt::ArrowCursor : Qt::SplitHCursor);
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    if (m_press == Press::ColumnEdge || m_press == Press::BandEdge) {
        resizeTo(pos);
    } else if (m_drag.kind != GridDragState::Kind::None ||
               (pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        updateDrag(pos);
    }
    event->accept();
}

void BandedGridView::mouseReleaseEvent(QMouseEvent *event)
{
    const Press press = std::exchange(m_press, Press::None);
    if (!m_model || event->button() != Qt::LeftButton || press == Press::None) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (m_drag.kind != GridDragState::Kind::None) {
        updateDrag(pos);
        finishDrag();
    } else if (press == Press::ColumnHeader && headerColumnAt(pos) == m_pressItem) {
        headerClicked(m_pressItem, event->modifiers());
    } else if (press == Press::GroupButton && groupButtonRect().contains(pos)) {
        m_model->reverseGroupOrder();
    }
    m_drag = GridDragState();
    viewport()->update();
    event->accept();
}

void BandedGridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const int row = m_model && event->button() == Qt::LeftButton ? rowAt(pos) : -1;
    // A double click on a group row opens or closes it, except on its button, whose press
    // already did.
    if (row >= 0 && m_model->rowAt(row).kind == RowKind::Group &&
        !expandButtonRect(row).adjusted(-2, -2, 2, 2).contains(pos)) {
        if (m_model->isGroupExpanded(row))
            m_model->collapseGroup(row);
        else
            m_model->expandGroup(row);
        event->accept();
        return;
    }
    mousePressEvent(event);
}

void BandedGridView::updateDrag(const QPoint &pos)
{
    const GridMetrics &m = m_painter.metrics();
    GridDragState &d = m_drag;
    switch (m_press) {
    case Press::ColumnHeader:
        d.kind = GridDragState::Kind::Column;
        break;
    case Press::BandHeader:
        d.kind = GridDragState::Kind::Band;
        break;
    case Press::GroupButton:
        d.kind = GridDragState::Kind::GroupButton;
        break;
    default:
        return;
    }
    d.item = m_pressItem;
    d.position = pos;
    d.overGroupBox = groupByBoxRect().contains(pos);
    d.dropX = -1;
    d.accepted = false;
    const bool overHeaders = pos.y() >= m.groupBoxHeight && pos.y() < m.dataTop() &&
                             pos.x() >= m.indicatorWidth + m.groupIndent;
    const int offset = layoutX(pos.x()) - (pos.x() - m.indicatorWidth - m.groupIndent);
    auto screenX = [&](int layoutLeft) {
        const bool inFixed = layoutLeft <= m_layout.fixedWidth();
        return m.indicatorWidth + m.groupIndent + layoutLeft - (inFixed ? 0 : offset);
    };
    if (d.kind == GridDragState::Kind::Column) {
        if (d.overGroupBox) {
            d.accepted = m_model->canGroupBy(d.item);
        } else if (overHeaders && pos.y() >= m.headerTop()) {
            const int line =
                m.headerLineHeight > 0 ? (pos.y() - m.headerTop()) / m.headerLineHeight : 0;
            const ColumnDrop drop =
                columnDropAt(m_model->columns(), m_layout, layoutX(pos.x()), line);
            d.accepted = drop.band >= 0;
            d.dropX = screenX(drop.markerX);
        }
    } else if (d.kind == GridDragState::Kind::Band) {
        if (overHeaders && pos.y() < m.headerTop()) {
            const BandDrop drop =
                bandDropAt(m_model->columns(), m_layout, d.item, layoutX(pos.x()));
            d.accepted = drop.position >= 0;
            d.dropX = screenX(drop.markerX);
        }
    } else {
        // The grouped column's button goes back when it lands on the header rows.
        d.accepted = overHeaders;
    }
    viewport()->update();
}

void BandedGridView::finishDrag()
{
    const GridDragState d = m_drag;
    m_drag = GridDragState();
    if (!d.accepted)
        return;
    const GridMetrics &m = m_painter.metrics();
    switch (d.kind) {
    case GridDragState::Kind::Column:
        if (d.overGroupBox) {
            m_model->groupByColumn(d.item);
        } else {
            const int line =
                m.headerLineHeight > 0 ? (d.position.y() - m.headerTop()) / m.headerLineHeight : 0;
            const ColumnDrop drop =
                columnDropAt(m_model->columns(), m_layout, layoutX(d.position.x()), line);
            GridColumnSet set = m_model->columns();
            set.moveColumn(d.item, drop.band, drop.rowIndex, drop.colIndex);
            m_model->setColumns(std::move(set));
        }
        break;
    case GridDragState::Kind::Band: {
        const BandDrop drop =
            bandDropAt(m_model->columns(), m_layout, d.item, layoutX(d.position.x()));
        GridColumnSet set = m_model->columns();
        set.moveBand(d.item, drop.position);
        m_model->setColumns(std::move(set));
        break;
    }
    case GridDragState::Kind::GroupButton:
        m_model->ungroup();
        break;
    case GridDragState::Kind::None:
        break;
    }
    ensureRowVisible(m_model->focusedRow());
}

void BandedGridView::resizeTo(const QPoint &pos)
{
    const int width = m_pressWidth + pos.x() - m_pressPos.x();
    const bool fill = m_model->options().columnAutoWidth;
    GridColumnSet set = m_press == Press::ColumnEdge
                            ? resizeColumn(m_model->columns(), m_layout, m_pressItem, width, fill)
                            : resizeBand(m_model->columns(), m_layout, m_pressItem, width, fill);
    m_model->setColumns(std::move(set));
}

void BandedGridView::headerClicked(int column, Qt::KeyboardModifiers modifiers)
{
    if (!m_model->columns().column(column).options.sorting)
        return;
    std::vector<SortKey> keys = m_model->sortKeys();
    const auto it = std::find_if(keys.begin(), keys.end(),
                                 [column](const SortKey &k) { return k.column == column; });
    if (modifiers & Qt::ControlModifier) {
        if (it != keys.end())
            keys.erase(it);
    } else if (modifiers & Qt::ShiftModifier) {
        if (it == keys.end())
            keys.push_back({column, Qt::AscendingOrder});
        else
            it->order = it->order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        const bool wasAscending = it != keys.end() && it->order == Qt::AscendingOrder;
        keys = {{column, wasAscending ? Qt::DescendingOrder : Qt::AscendingOrder}};
    }
    m_model->setSortKeys(std::move(keys));
    ensureRowVisible(m_model->focusedRow());
    viewport()->update();
}

} // namespace pensilio::grid

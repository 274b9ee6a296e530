#include "platform/grid/BandedGridView.h"

#include "platform/grid/GridAccessible.h"
#include "platform/grid/GridViewModel.h"
#include "platform/grid/RowCopy.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace pensilio::grid {

BandedGridView::BandedGridView(QWidget *parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true); // the sizing pointer over header edges
    verticalScrollBar()->setSingleStep(1);
    GridAccessible::install();
}

void BandedGridView::notifyAccessibility(int change, int first, int last)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent event(
        this, static_cast<QAccessibleTableModelChangeEvent::ModelChangeType>(change));
    event.setFirstRow(first);
    event.setLastRow(last);
    QAccessible::updateAccessibility(&event);
}

BandedGridView::~BandedGridView() = default;

void BandedGridView::setModel(GridViewModel *model)
{
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (m_model) {
        auto relayoutAndRepaint = [this] {
            relayout();
            viewport()->update();
        };
        connect(m_model, &GridViewModel::columnsChanged, this, [=, this] {
            relayoutAndRepaint();
            notifyAccessibility(QAccessibleTableModelChangeEvent::ModelReset, -1, -1);
        });
        connect(m_model, &GridViewModel::optionsChanged, this, relayoutAndRepaint);
        connect(m_model, &GridViewModel::groupingChanged, this, [this] { viewport()->update(); });
        auto rowsChanged = [this](int change, int first, int count) {
            updateScrollBars();
            viewport()->update();
            notifyAccessibility(change, first, first + count - 1);
        };
        connect(m_model, &GridViewModel::rowsReset, this,
                [=, this] { rowsChanged(QAccessibleTableModelChangeEvent::ModelReset, -1, 1); });
        connect(m_model, &GridViewModel::rowsInserted, this, [=, this](int first, int count) {
            rowsChanged(QAccessibleTableModelChangeEvent::RowsInserted, first, count);
        });
        connect(m_model, &GridViewModel::rowsRemoved, this, [=, this](int first, int count) {
            rowsChanged(QAccessibleTableModelChangeEvent::RowsRemoved, first, count);
        });
        connect(m_model, &GridViewModel::rowChangedAt, this, [this](int index) {
            viewport()->update();
            notifyAccessibility(QAccessibleTableModelChangeEvent::DataChanged, index, index);
        });
        connect(m_model, &GridViewModel::focusChanged, this, &BandedGridView::onFocusChanged);
        connect(m_model, &QObject::destroyed, this, [this] { relayout(); });
    }
    relayout();
    viewport()->update();
}

void BandedGridView::relayout()
{
    if (!m_model) {
        m_layout = GridLayout();
        updateScrollBars();
        return;
    }
    m_painter.prepare(*m_model, palette(), font());
    const bool fill = m_model->options().columnAutoWidth;
    const int available =
        viewport()->width() - m_painter.metrics().indicatorWidth - m_painter.metrics().groupIndent;
    m_layout = GridLayout(m_model->columns(), std::max(0, available),
                          fill ? GridLayout::Fit::FillWidth : GridLayout::Fit::NaturalWidths);
    setHorizontalScrollBarPolicy(fill ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    const std::vector<int> &visible = m_model->columns().visibleColumns();
    if (std::find(visible.begin(), visible.end(), m_focusedColumn) == visible.end())
        m_focusedColumn = visible.empty() ? -1 : visible.front();
    updateScrollBars();
}

int BandedGridView::rowsPerPage() const
{
    const GridMetrics &m = m_painter.metrics();
    const int height = viewport()->height() - m.dataTop();
    return m.recordHeight > 0 ? std::max(1, height / m.recordHeight) : 1;
}

void BandedGridView::updateScrollBars()
{
    const int rows = m_model ? m_model->rowCount() : 0;
    const int page = rowsPerPage();
    QScrollBar *v = verticalScrollBar();
    v->setRange(0, std::max(0, rows - page));
    v->setPageStep(page);

    QScrollBar *h = horizontalScrollBar();
    const int scrolling =
        viewport()->width() - m_painter.metrics().indicatorWidth - m_painter.metrics().groupIndent;
    const bool fill = m_model && m_model->options().columnAutoWidth;
    h->setRange(0, fill ? 0 : std::max(0, m_layout.width() - scrolling));
    h->setPageStep(std::max(1, scrolling - m_layout.fixedWidth()));
    h->setSingleStep(16);
}

int BandedGridView::firstVisibleRow() const
{
    return verticalScrollBar()->value();
}

QRect BandedGridView::rowRect(int row) const
{
    if (!m_model || row < firstVisibleRow() || row >= m_model->rowCount())
        return {};
    const GridMetrics &m = m_painter.metrics();
    int y = m.dataTop();
    for (int i = firstVisibleRow(); i < row; ++i) {
        y += m.rowHeight(m_model->rowAt(i).kind);
        if (y >= viewport()->height())
            return {};
    }
    return QRect(0, y, viewport()->width(), m.rowHeight(m_model->rowAt(row).kind));
}

QRect BandedGridView::cellRect(int row, int column) const
{
    const QRect r = rowRect(row);
    if (r.isNull())
        return {};
    const GridMetrics &m = m_painter.metrics();
    QRect cell = m_painter.columnRect(m_layout, column, r.top() + 2, m.lineHeight,
                                      horizontalScrollBar()->value());
    return cell.isNull() ? QRect() : cell.intersected(r);
}

QRect BandedGridView::headerRect(int column) const
{
    const GridMetrics &m = m_painter.metrics();
    if (m.headerHeight <= 0)
        return {};
    return m_painter.columnRect(m_layout, column, m.headerTop(), m.headerLineHeight,
                                horizontalScrollBar()->value());
}

QRect BandedGridView::bandHeaderRect(int band) const
{
    return m_painter.bandHeaderRect(m_layout, band, horizontalScrollBar()->value());
}

QRect BandedGridView::groupByBoxRect() const
{
    const int height = m_painter.metrics().groupBoxHeight;
    return height > 0 ? QRect(0, 0, viewport()->width(), height) : QRect();
}

QRect BandedGridView::groupButtonRect() const
{
    return m_model ? m_painter.groupButtonRect(*m_model) : QRect();
}

QRect BandedGridView::expandButtonRect(int row) const
{
    const QRect r = rowRect(row);
    if (r.isNull() || m_model->rowAt(row).kind != RowKind::Group)
        return {};
    return m_painter.expandButtonRect(r, m_model->rowAt(row).level);
}

QRect BandedGridView::filterButtonRect(int column) const
{
    if (!m_model || column < 0 || column >= m_model->columns().columnCount() ||
        !m_model->columns().column(column).options.filtering)
        return {};
    const QRect header = headerRect(column);
    return header.isNull() ? QRect() : GridPainter::filterButtonRect(header);
}

void BandedGridView::setColumnFiltered(int column, bool filtered)
{
    if (column < 0)
        return;
    if (m_filtered.size() <= size_t(column))
        m_filtered.resize(size_t(column) + 1, false);
    if (m_filtered[size_t(column)] == filtered)
        return;
    m_filtered[size_t(column)] = filtered;
    viewport()->update();
}

bool BandedGridView::isColumnFiltered(int column) const
{
    return column >= 0 && size_t(column) < m_filtered.size() && m_filtered[size_t(column)];
}

void BandedGridView::setFilterPanel(QWidget *panel)
{
    if (m_filterPanel == panel)
        return;
    if (m_filterPanel)
        m_filterPanel->removeEventFilter(this);
    m_filterPanel = panel;
    if (panel) {
        const bool shown = !panel->isHidden();
        panel->setParent(this);
        panel->setVisible(shown);
        panel->installEventFilter(this);
    }
    layoutFilterPanel();
}

void BandedGridView::layoutFilterPanel()
{
    const int height =
        m_filterPanel && !m_filterPanel->isHidden() ? m_filterPanel->sizeHint().height() : 0;
    setViewportMargins(0, 0, 0, height);
    if (height > 0) {
        const QRect v = viewport()->geometry();
        m_filterPanel->setGeometry(v.left(), v.bottom() + 1, v.width(), height);
        m_filterPanel->raise();
    }
}

bool BandedGridView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_filterPanel &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide ||
         event->type() == QEvent::LayoutRequest))
        layoutFilterPanel();
    return QAbstractScrollArea::eventFilter(watched, event);
}

int BandedGridView::layoutX(int viewportX) const
{
    const GridMetrics &m = m_painter.metrics();
    const int x = viewportX - m.indicatorWidth - m.groupIndent;
    return x >= m_layout.fixedWidth() ? x + horizontalScrollBar()->value() : x;
}

int BandedGridView::bandHeaderAt(const QPoint &pos) const
{
    for (const BandGeometry &b : m_layout.bands()) {
        if (bandHeaderRect(b.band).contains(pos))
            return b.band;
    }
    return -1;
}

int BandedGridView::rowAt(const QPoint &pos) const
{
    if (!m_model)
        return -1;
    const GridMetrics &m = m_painter.metrics();
    if (pos.y() < m.dataTop())
        return -1;
    int y = m.dataTop();
    for (int i = firstVisibleRow(); i < m_model->rowCount() && y < viewport()->height(); ++i) {
        const int h = m.rowHeight(m_model->rowAt(i).kind);
        if (pos.y() < y + h)
            return i;
        y += h;
    }
    return -1;
}

int BandedGridView::columnAt(const QPoint &pos) const
{
    const int row = rowAt(pos);
    if (row < 0)
        return -1;
    for (const ColumnGeometry &g : m_layout.columns()) {
        if (cellRect(row, g.column).contains(pos))
            return g.column;
    }
    return -1;
}

int BandedGridView::headerColumnAt(const QPoint &pos) const
{
    for (const ColumnGeometry &g : m_layout.columns()) {
        if (headerRect(g.column).contains(pos))
            return g.column;
    }
    return -1;
}

void BandedGridView::setFocusedColumn(int column)
{
    if (column == m_focusedColumn || !m_layout.geometryOf(column))
        return;
    m_focusedColumn = column;
    viewport()->update();
    announceFocusedCell();
    Q_EMIT focusedColumnChanged(column);
}

void BandedGridView::ensureRowVisible(int row)
{
    if (!m_model || row < 0 || row >= m_model->rowCount())
        return;
    QScrollBar *v = verticalScrollBar();
    const int page = rowsPerPage();
    if (row < v->value())
        v->setValue(row);
    else if (row >= v->value() + page)
        v->setValue(row - page + 1);
}

void BandedGridView::onFocusChanged(int row)
{
    ensureRowVisible(row);
    viewport()->update();
    announceFocusedCell();
}

void BandedGridView::announceFocusedCell()
{
    if (!hasFocus() || !QAccessible::isActive())
        return;
    // Tell the reader which cell has the focus now, by its child index in the table.
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    if (QAccessibleInterface *cell = table ? table->focusChild() : nullptr) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(table->indexOfChild(cell));
        QAccessible::updateAccessibility(&event);
    }
}

void BandedGridView::moveFocusTo(int row, int direction)
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    const int last = m_model->rowCount() - 1;
    row = std::clamp(row, 0, last);
    const int step = direction < 0 ? -1 : 1;
    int target = row;
    while (target >= 0 && target <= last && m_model->rowAt(target).kind == RowKind::GroupFooter)
        target += step;
    if (target < 0 || target > last) {
        target = row;
        while (target >= 0 && target <= last && m_model->rowAt(target).kind == RowKind::GroupFooter)
            target -= step;
    }
    if (target < 0 || target > last)
        return;
    m_model->setFocusedRow(target);
    ensureRowVisible(m_model->focusedRow());
}

int BandedGridView::columnStep(int from, int step) const
{
    const std::vector<ColumnGeometry> &columns = m_layout.columns();
    if (columns.empty())
        return -1;
    int index = 0;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].column == from)
            index = static_cast<int>(i);
    }
    index = std::clamp(index + step, 0, static_cast<int>(columns.size()) - 1);
    return columns[static_cast<size_t>(index)].column;
}

QString BandedGridView::focusedRowText() const
{
    // A group row holds no record of its own: nothing to copy.
    if (!m_model || m_model->focusedRow() < 0 ||
        m_model->rowAt(m_model->focusedRow()).kind != RowKind::Data)
        return {};
    return rowsAsText(*m_model, {m_model->focusedRow()});
}

void BandedGridView::copyFocusedRow()
{
    const QString text = focusedRowText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void BandedGridView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    announceFocusedCell();
}

void BandedGridView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void BandedGridView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::StyleChange) {
        relayout();
        viewport()->update();
    }
}

void BandedGridView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    layoutFilterPanel();
    relayout();
}

void BandedGridView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void BandedGridView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    if (!m_model) {
        p.fillRect(viewport()->rect(), palette().color(QPalette::Base));
        return;
    }
    GridViewState state;
    state.firstRow = firstVisibleRow();
    state.horizontalOffset = horizontalScrollBar()->value();
    state.hasFocus = hasFocus();
    state.focusedColumn = m_focusedColumn;
    state.filteredColumns = &m_filtered;
    state.drag = m_drag;
    m_painter.paint(p, viewport()->rect(), *m_model, m_layout, state);
}

QSize BandedGridView::sizeHint() const
{
    return QSize(640, 400);
}
QSize BandedGridView::minimumSizeHint() const
{
    return QSize(120, 80);
}

} // namespace pensilio::grid

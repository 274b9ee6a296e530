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
    const int available = viewport()->width() - m_painter.metrics().indicatorWidth;
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
    const int scrolling = viewport()->width() - m_painter.metrics().indicatorWidth;
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

void BandedGridView::moveFocusTo(int row)
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    row = std::clamp(row, 0, m_model->rowCount() - 1);
    m_model->setFocusedRow(row);
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
    if (!m_model || m_model->focusedRow() < 0)
        return {};
    return rowsAsText(*m_model, {m_model->focusedRow()});
}

void BandedGridView::copyFocusedRow()
{
    const QString text = focusedRowText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void BandedGridView::keyPressEvent(QKeyEvent *event)
{
    if (!m_model) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int focus = m_model->focusedRow();
    const int last = m_model->rowCount() - 1;
    const int page = rowsPerPage();
    const bool plain = mods == Qt::NoModifier;
    const bool ctrl = mods == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        if (plain)
            moveFocusTo(focus < 0 ? 0 : focus - 1);
        break;
    case Qt::Key_Down:
        if (plain)
            moveFocusTo(focus < 0 ? 0 : focus + 1);
        break;
    case Qt::Key_PageUp:
        if (plain)
            moveFocusTo(focus < 0 ? 0 : focus - page);
        break;
    case Qt::Key_PageDown:
        if (plain)
            moveFocusTo(focus < 0 ? 0 : focus + page);
        break;
    case Qt::Key_Home:
        if (ctrl)
            moveFocusTo(0);
        else if (plain)
            setFocusedColumn(columnStep(m_focusedColumn, -1000));
        break;
    case Qt::Key_End:
        if (ctrl)
            moveFocusTo(last);
        else if (plain)
            setFocusedColumn(columnStep(m_focusedColumn, 1000));
        break;
    case Qt::Key_Left:
        if (plain)
            setFocusedColumn(columnStep(m_focusedColumn, -1));
        break;
    case Qt::Key_Right:
        if (plain)
            setFocusedColumn(columnStep(m_focusedColumn, 1));
        break;
    case Qt::Key_Delete:
        // Shift+Delete and Alt+Delete do nothing.
        if (plain || ctrl)
            m_model->deleteFocused();
        break;
    case Qt::Key_Insert:
        if (ctrl)
            copyFocusedRow();
        break;
    case Qt::Key_C:
        if (ctrl)
            copyFocusedRow();
        else
            event->ignore();
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void BandedGridView::mousePressEvent(QMouseEvent *event)
{
    m_pressedHeader = -1;
    if (!m_model || event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    const int row = rowAt(pos);
    if (row >= 0) {
        const int column = columnAt(pos);
        if (column >= 0)
            setFocusedColumn(column);
        moveFocusTo(row);
    } else {
        m_pressedHeader = headerColumnAt(pos);
    }
    event->accept();
}

void BandedGridView::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = std::exchange(m_pressedHeader, -1);
    if (m_model && event->button() == Qt::LeftButton && pressed >= 0 &&
        headerColumnAt(event->position().toPoint()) == pressed) {
        headerClicked(pressed, event->modifiers());
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
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

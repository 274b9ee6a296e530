#pragma once
// The banded grid widget: paints a GridViewModel by hand (only the rows on screen), moves its
// focused row with the keyboard and the mouse, expands and collapses groups, deletes and copies
// the focused record, groups by a header dropped on its group-by box, moves and sizes columns
// and bands, and fits its columns to its width. All it knows of rows comes from the model.
// Its keys live in BandedGridViewKeys.cpp, its mouse gestures in BandedGridViewMouse.cpp.

#include "platform/grid/GridLayout.h"
#include "platform/grid/GridPainter.h"

#include <QAbstractScrollArea>
#include <QPointer>

namespace pensilio::grid {

class GridViewModel;

class BandedGridView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit BandedGridView(QWidget *parent = nullptr);
    ~BandedGridView() override;

    void setModel(GridViewModel *model);
    GridViewModel *model() const { return m_model; }

    // The columns' geometry as shown, from the left edge of the first band; the HTML export
    // takes its column edges from here.
    const GridLayout &columnLayout() const { return m_layout; }
    const GridMetrics &metrics() const { return m_painter.metrics(); }

    int firstVisibleRow() const;
    int rowsPerPage() const; // whole data rows that fit in the data area
    // Viewport rectangles; empty when not on screen.
    QRect rowRect(int row) const;
    QRect cellRect(int row, int column) const;
    QRect headerRect(int column) const;
    QRect bandHeaderRect(int band) const;
    QRect groupByBoxRect() const;
    QRect groupButtonRect() const; // the grouped column's button in the box; empty when none
    QRect expandButtonRect(int row) const;      // of a group row on screen
    QRect filterButtonRect(int column) const;   // empty for a column that does not filter
    int rowAt(const QPoint &viewportPos) const; // -1 when no row is there
    int columnAt(const QPoint &viewportPos) const;

    // The focused cell's column within the focused row; -1 when there are no visible columns.
    int focusedColumn() const { return m_focusedColumn; }
    void setFocusedColumn(int column);

    // The focused row as clipboard text (captions line, then the row); empty with no focus.
    QString focusedRowText() const;
    void copyFocusedRow();
    void ensureRowVisible(int row);

    // Hooks for the filter user interface. A column whose options allow filtering has a
    // drop-down button at the right of its header, drawn pressed while the view's filter has a
    // condition on it; a click on it asks for the drop-down instead of sorting.
    void setColumnFiltered(int column, bool filtered);
    bool isColumnFiltered(int column) const;
    // A widget shown below the rows, inside the grid; the rows' area gives up its height while
    // the panel is visible. Its owner shows and hides it; the grid takes it as a child.
    void setFilterPanel(QWidget *panel);
    QWidget *filterPanel() const { return m_filterPanel; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void focusedColumnChanged(int column);
    void filterDropDownRequested(int column, QRect headerRectGlobal);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void relayout();
    void notifyAccessibility(int change, int first, int last);
    void updateScrollBars();
    void onFocusChanged(int row);
    void announceFocusedCell();
    // Moves the focus to a row that takes it, looking further in the direction of the move
    // past footers.
    void moveFocusTo(int row, int direction = 1);
    bool groupKey(QKeyEvent *event, int focus);
    void headerClicked(int column, Qt::KeyboardModifiers modifiers);
    int headerColumnAt(const QPoint &viewportPos) const;
    int bandHeaderAt(const QPoint &viewportPos) const;
    int columnStep(int from, int step) const;
    int layoutX(int viewportX) const;
    void layoutFilterPanel();

    // Mouse gestures on the header area.
    enum class Press
    {
        None,
        ColumnHeader,
        BandHeader,
        GroupButton,
        ColumnEdge,
        BandEdge
    };
    struct EdgeHit
    {
        Press kind = Press::None;
        int item = -1;
    };
    EdgeHit edgeAt(const QPoint &viewportPos) const;
    void updateDrag(const QPoint &viewportPos);
    void finishDrag();
    void resizeTo(const QPoint &viewportPos);

    QPointer<GridViewModel> m_model;
    GridLayout m_layout;
    GridPainter m_painter;
    int m_focusedColumn = -1;
    Press m_press = Press::None;
    int m_pressItem = -1;
    QPoint m_pressPos;
    int m_pressWidth = 0;
    GridDragState m_drag;
    std::vector<bool> m_filtered; // by model column
    QPointer<QWidget> m_filterPanel;
};

} // namespace pensilio::grid

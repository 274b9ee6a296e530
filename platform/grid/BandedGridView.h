#pragma once
// The banded grid widget: paints a GridViewModel by hand (only the rows on screen), moves its
// focused row with the keyboard and the mouse, deletes and copies the focused memo, and fits
// its columns to its width. All it knows of rows and columns comes from the model.

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
    int rowAt(const QPoint &viewportPos) const; // -1 when no row is there
    int columnAt(const QPoint &viewportPos) const;

    // The focused cell's column within the focused row; -1 when there are no visible columns.
    int focusedColumn() const { return m_focusedColumn; }
    void setFocusedColumn(int column);

    // The focused row as clipboard text (captions line, then the row); empty with no focus.
    QString focusedRowText() const;
    void copyFocusedRow();
    void ensureRowVisible(int row);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void focusedColumnChanged(int column);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
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
    void moveFocusTo(int row);
    void headerClicked(int column, Qt::KeyboardModifiers modifiers);
    int headerColumnAt(const QPoint &viewportPos) const;
    int columnStep(int from, int step) const;

    QPointer<GridViewModel> m_model;
    GridLayout m_layout;
    GridPainter m_painter;
    int m_focusedColumn = -1;
    int m_pressedHeader = -1;
};

} // namespace pensilio::grid

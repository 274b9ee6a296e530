#pragma once
// Paints the visible part of a banded view: group-by box, band and column headers, the record
// indicator and the rows from the first shown one down to the bottom edge, nothing more. Fonts,
// colours and heights are resolved once per change of look, not per row.

#include "platform/grid/GridLayout.h"
#include "platform/grid/GridStyle.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <vector>

class QPainter;
class QPalette;

namespace pensilio::grid {

class GridViewModel;
enum class RowKind : quint8;

// The vertical measures of the view, in pixels.
struct GridMetrics
{
    int indicatorWidth = 0;
    int groupIndent = 0; // left of the bands, one step per grouping level
    int groupBoxHeight = 0;
    int bandHeaderHeight = 0;
    int headerLineHeight = 0;
    int headerHeight = 0;
    int lineHeight = 0;
    int recordHeight = 0;
    int groupRowHeight = 0;
    int footerHeight = 0;

    int headerTop() const { return groupBoxHeight + bandHeaderHeight; }
    int dataTop() const { return headerTop() + headerHeight; }
    int rowHeight(RowKind kind) const;
};

// A header or band being dragged, and where it would land.
struct GridDragState
{
    enum class Kind
    {
        None,
        Column,
        Band,
        GroupButton
    };
    Kind kind = Kind::None;
    int item = -1; // the column or band
    QPoint position;
    int dropX = -1; // where a moved column or band would go; -1: nowhere
    bool overGroupBox = false;
    bool accepted = false; // the drop would do something
};

// What the widget tells the painter about its state.
struct GridViewState
{
    int firstRow = 0;
    int horizontalOffset = 0; // of the bands that are not fixed
    bool hasFocus = false;
    int focusedColumn = -1;
    const std::vector<bool> *filteredColumns = nullptr; // by model column
    GridDragState drag;
};

class GridPainter
{
public:
    // Resolves the model's styles against the widget's palette and font.
    void prepare(const GridViewModel &model, const QPalette &palette, const QFont &font);
    const GridMetrics &metrics() const { return m_metrics; }

    // Screen x of a geometry's left edge; bands that are not fixed move with the offset.
    int screenLeft(int left, bool fixed, int horizontalOffset) const;
    QRect columnRect(const GridLayout &layout, int column, int top, int lineHeight,
                     int horizontalOffset) const;
    QRect bandHeaderRect(const GridLayout &layout, int band, int horizontalOffset) const;
    // The parts of a header and of a group row that take clicks.
    static QRect filterButtonRect(const QRect &header);
    QRect expandButtonRect(const QRect &groupRow, int level) const;
    // The grouped column's button in the group-by box; empty when nothing is grouped.
    QRect groupButtonRect(const GridViewModel &model) const;

    void paint(QPainter &p, const QRect &area, const GridViewModel &model, const GridLayout &layout,
               const GridViewState &state) const;

private:
    struct Look
    {
        QFont font;
        QColor background;
        QColor text;
        int narrowest = 1; // the narrowest character's advance, to bound what is laid out
    };
    void paintGroupBox(QPainter &p, const QRect &area, const GridViewModel &model,
                       const GridViewState &state) const;
    void paintGroupRow(QPainter &p, const QRect &row, const GridViewModel &model, int index,
                       bool highlighted) const;
    void paintFooterRow(QPainter &p, const QRect &area, int y, int height,
                        const GridViewModel &model, const GridLayout &layout, int index,
                        const GridViewState &state) const;
    void paintDrag(QPainter &p, const QRect &area, const GridViewModel &model,
                   const GridViewState &state) const;
    void paintHeaders(QPainter &p, const QRect &area, const GridViewModel &model,
                      const GridLayout &layout, const GridViewState &state) const;
    void paintRows(QPainter &p, const QRect &area, const GridViewModel &model,
                   const GridLayout &layout, const GridViewState &state) const;
    void paintCellText(QPainter &p, const QRect &rect, const QString &text, const Look &look,
                       Qt::Alignment alignment, QColor color) const;
    QRect clipFor(const QRect &area, bool fixed, int fixedWidth) const;

    GridMetrics m_metrics;
    std::vector<Look> m_content; // by model column
    std::vector<Look> m_header;  // by model column
    Look m_bandHeader;
    Look m_indicator;
    Look m_groupBox;
    Look m_groupRow;
    Look m_footer;
    QColor m_gridLine;
    QColor m_highlight;
    QColor m_highlightedText;
    QColor m_empty;
};

} // namespace pensilio::grid

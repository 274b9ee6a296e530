#pragma once
// The exported page as a table of cells: layout columns with their widths, layout rows, and for
// each cell its text, its style number and its span. A cell's text is a reference (a data cell
// of the view, or one of the table's own texts), so a million notes are never copied into it.

#include <QByteArray>
#include <QtGlobal>
#include <vector>

namespace pensilio::grid {

struct HtmlCell
{
    enum Flag : quint8
    {
        SpanStart = 1, // the cell starts a span of colSpan x rowSpan cells
        Hidden = 2,    // the cell lies under another cell's span
        Owned = 4      // a header, data, group or footer cell, not background
    };
    static constexpr qint16 kNoText = -2;
    static constexpr qint16 kLiteral = -1;

    qint32 source = 0;       // view row of a data cell, or the index of a literal text
    qint32 style = -1;       // -1: none yet
    qint16 column = kNoText; // the view's column of a data cell, or kLiteral, or kNoText
    quint16 colSpan = 1;
    quint16 rowSpan = 1;
    quint8 flags = 0;

    bool hidden() const { return flags & Hidden; }
};
static_assert(sizeof(HtmlCell) <= 16);

class HtmlCellTable
{
public:
    // Each throws the table's own message for a negative count or size.
    void setColumnCount(int count);
    void setColumnWidth(int column, int width);
    void setRowCount(int count);
    void reserveRows(qint64 count);

    int columnCount() const { return static_cast<int>(m_widths.size()); }
    int rowCount() const { return m_rows; }
    int columnWidth(int column) const { return m_widths[checkColumn(column)]; }
    const std::vector<int> &columnWidths() const { return m_widths; }

    HtmlCell &cell(int column, int row);
    const HtmlCell &cell(int column, int row) const;
    // Unchecked, for the writer's and builder's inner loops after the bounds are known.
    HtmlCell &at(int column, int row)
    {
        return m_cells[size_t(row) * m_widths.size() + size_t(column)];
    }
    const HtmlCell &at(int column, int row) const
    {
        return m_cells[size_t(row) * m_widths.size() + size_t(column)];
    }

    // Joins columns x rows cells into one starting at (column, row); the others become hidden.
    // A span that leaves the table throws "Incorrect union of cells".
    void unite(int column, int row, int columns, int rows);

    // The table's own texts (captions, group rows, footers); data cells refer to the view.
    qint32 addText(QByteArray text);
    const QByteArray &text(qint32 index) const { return m_texts[size_t(index)]; }

    size_t memoryBytes() const;

private:
    size_t checkColumn(int column) const;
    void checkRow(int row) const;

    std::vector<int> m_widths;
    int m_rows = 0;
    std::vector<HtmlCell> m_cells;
    std::vector<QByteArray> m_texts;
};

} // namespace pensilio::grid

#include "platform/grid/HtmlCellTable.h"

#include "platform/core/Error.h"

#include <limits>

namespace pensilio::grid {

void HtmlCellTable::setColumnCount(int count)
{
    if (count < 0 || (m_rows > 0 && size_t(count) != m_widths.size()))
        throw Error(QStringLiteral("Invalid column or row count"));
    m_widths.assign(size_t(count), 0);
}

void HtmlCellTable::setColumnWidth(int column, int width)
{
    const size_t c = checkColumn(column);
    if (width < 0)
        throw Error(QStringLiteral("Illegal width of the column"));
    m_widths[c] = width;
}

void HtmlCellTable::setRowCount(int count)
{
    if (count < 0)
        throw Error(QStringLiteral("Invalid column or row count"));
    m_rows = count;
    m_cells.resize(size_t(count) * m_widths.size());
}

void HtmlCellTable::reserveRows(qint64 count)
{
    if (count < 0 || count > std::numeric_limits<int>::max())
        throw Error(QStringLiteral("Illegal height of the row"));
    m_cells.reserve(size_t(count) * m_widths.size());
}

size_t HtmlCellTable::checkColumn(int column) const
{
    if (column < 0 || size_t(column) >= m_widths.size())
        throw Error(QStringLiteral("The column index %1 out of bounds").arg(column));
    return size_t(column);
}

void HtmlCellTable::checkRow(int row) const
{
    if (row < 0 || row >= m_rows)
        throw Error(QStringLiteral("The row index %1 out of bounds").arg(row));
}

HtmlCell &HtmlCellTable::cell(int column, int row)
{
    checkColumn(column);
    checkRow(row);
    return at(column, row);
}

const HtmlCell &HtmlCellTable::cell(int column, int row) const
{
    checkColumn(column);
    checkRow(row);
    return at(column, row);
}

void HtmlCellTable::unite(int column, int row, int columns, int rows)
{
    if (column < 0 || row < 0 || columns < 1 || rows < 1 || columns > 0xFFFF || rows > 0xFFFF ||
        qint64(column) + columns > columnCount() || qint64(row) + rows > m_rows)
        throw Error(QStringLiteral("Incorrect union of cells"));
    for (int r = row; r < row + rows; ++r) {
        for (int c = column; c < column + columns; ++c) {
            HtmlCell &x = at(c, r);
            x.flags = quint8((x.flags & ~HtmlCell::SpanStart) | HtmlCell::Hidden);
        }
    }
    HtmlCell &first = at(column, row);
    first.flags = quint8((first.flags & ~HtmlCell::Hidden) | HtmlCell::SpanStart);
    first.colSpan = quint16(columns);
    first.rowSpan = quint16(rows);
}

qint32 HtmlCellTable::addText(QByteArray text)
{
    m_texts.push_back(std::move(text));
    return qint32(m_texts.size() - 1);
}

size_t HtmlCellTable::memoryBytes() const
{
    size_t bytes = m_cells.capacity() * sizeof(HtmlCell) + m_widths.capacity() * sizeof(int);
    for (const QByteArray &t : m_texts)
        bytes += sizeof(QByteArray) + size_t(t.capacity());
    return bytes;
}

} // namespace pensilio::grid

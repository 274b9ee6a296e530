#include "platform/grid/HtmlViewSource.h"

#include "platform/core/Cp1252.h"

namespace pensilio::grid {

bool HtmlViewSource::isGroupExpanded(int index) const
{
    Q_UNUSED(index)
    return true;
}

void HtmlViewSource::expandGroup(int index)
{
    Q_UNUSED(index)
}

int HtmlViewSource::groupColumn(int index) const
{
    Q_UNUSED(index)
    return -1;
}

QByteArray HtmlViewSource::groupValueText(int index) const
{
    Q_UNUSED(index)
    return {};
}

QByteArray HtmlViewSource::groupSummaryText(int index) const
{
    Q_UNUSED(index)
    return {};
}

QByteArray HtmlViewSource::groupFooterText(int index, int column) const
{
    Q_UNUSED(index)
    Q_UNUSED(column)
    return {};
}

std::string_view GridViewModelHtmlSource::cellText(int index, int column, QByteArray &scratch) const
{
    const GridRow r = m_model.rowAt(index);
    const int field = m_model.columns().fieldOf(column);
    if (r.kind != RowKind::Data || field < 0)
        return {};
    const memdata::Table &table = *m_model.table();
    // Texts go out straight from the table: a million notes are not copied once more.
    if (table.field(field).type == memdata::FieldType::Text)
        return table.text(r.row, field).view();
    scratch = table.displayText(r.row, field);
    return std::string_view(scratch.constData(), size_t(scratch.size()));
}

int GridViewModelHtmlSource::groupColumn(int index) const
{
    Q_UNUSED(index)
    return m_model.groupColumn();
}

QByteArray GridViewModelHtmlSource::groupFooterText(int index, int column) const
{
    return cp1252::fromUnicode(m_model.groupFooterText(index, column));
}

} // namespace pensilio::grid

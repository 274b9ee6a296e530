#pragma once
// What the HTML export reads of a banded view: its columns, switches and styles, the visible row
// list with its group rows, and the display text of each cell, handed out without copying
// where the table holds the bytes.

#include "platform/grid/GridViewModel.h"

#include <QByteArray>
#include <string_view>

namespace pensilio::grid {

class HtmlViewSource
{
public:
    virtual ~HtmlViewSource() = default;

    virtual const GridColumnSet &columns() const = 0;
    virtual const GridViewOptions &options() const = 0;
    virtual const GridViewStyles &styles() const = 0;

    // The visible rows. A group row's level is its grouping level from 0; a data row's level
    // is the number of groups it lies in. Footer rows in the list are passed over: the export
    // places each group's footer itself.
    virtual int rowCount() const = 0;
    virtual GridRow rowAt(int index) const = 0;
    virtual int focusedRow() const = 0;
    // The display text of a data cell, whole and in Windows-1252; it either points into the
    // table or into 'scratch', and stays valid until the next call with the same scratch.
    virtual std::string_view cellText(int index, int column, QByteArray &scratch) const = 0;

    // Grouping. A view that does not group has no levels and never lists a group row.
    virtual int groupLevelCount() const { return 0; }
    virtual bool isGroupExpanded(int index) const;
    // Each expands inside one update of the view, so nothing repaints in between.
    virtual void expandAllGroups() {}
    virtual void expandGroup(int index);
    virtual int groupColumn(int index) const;             // the grouping column of a group row
    virtual QByteArray groupValueText(int index) const;   // the group's value as displayed
    virtual QByteArray groupSummaryText(int index) const; // the in-row summary, empty when none
    // The summary text of a column in the footer of the group whose group row is at 'index'.
    virtual QByteArray groupFooterText(int index, int column) const;
};

// The view model as the export sees it.
class GridViewModelHtmlSource final : public HtmlViewSource
{
public:
    explicit GridViewModelHtmlSource(GridViewModel &model) : m_model(model) {}

    const GridColumnSet &columns() const override { return m_model.columns(); }
    const GridViewOptions &options() const override { return m_model.options(); }
    const GridViewStyles &styles() const override { return m_model.styles(); }
    int rowCount() const override { return m_model.rowCount(); }
    GridRow rowAt(int index) const override { return m_model.rowAt(index); }
    int focusedRow() const override { return m_model.focusedRow(); }
    std::string_view cellText(int index, int column, QByteArray &scratch) const override;

    int groupLevelCount() const override { return m_model.groupLevelCount(); }
    bool isGroupExpanded(int index) const override { return m_model.isGroupExpanded(index); }
    void expandAllGroups() override { m_model.expandAll(); }
    void expandGroup(int index) override { m_model.expandGroup(index, Recursion::AllLevels); }
    int groupColumn(int index) const override;
    QByteArray groupValueText(int index) const override { return m_model.groupValueText(index); }
    QByteArray groupFooterText(int index, int column) const override;

private:
    GridViewModel &m_model;
};

} // namespace pensilio::grid

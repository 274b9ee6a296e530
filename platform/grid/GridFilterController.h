#pragma once
// The filtering state of one grid view and its rules, without widgets: the filter, the filter
// history and the per-column value histories; it turns the filter into the view model's row
// filter and serves the drop-down, the dialogs and the panel.

#include "platform/grid/FilterCriteria.h"
#include "platform/grid/FilterDropDownEntries.h"
#include "platform/grid/FilterHistory.h"

#include <QObject>
#include <QPointer>
#include <map>

namespace pensilio::grid {

class GridViewModel;

class GridFilterController : public QObject
{
    Q_OBJECT
public:
    // The model must outlive the controller or be destroyed with it.
    explicit GridFilterController(GridViewModel *model, QObject *parent = nullptr);
    ~GridFilterController() override;

    GridViewModel *model() const;
    // The model's columns that allow filtering and are bound to a field; a filter column's id
    // is the grid column's index.
    const FilterColumns &columns() const { return m_columns; }
    bool canFilter(int column) const { return m_columns.byId(column) != nullptr; }

    const FilterCriteria &criteria() const { return m_criteria; }
    const FilterHistory &history() const { return m_history; }
    const FilterValueHistory &valueHistory(int column) const;
    // The column has a condition that is filtering rows now.
    bool isColumnFiltered(int column) const;
    // The filter as one line, or "<Filter is Empty>" when it holds no condition.
    QString description() const;
    QString describe(const FilterNode &root) const;

    // Replaces the whole filter, switches it on and remembers it (when not empty): what the
    // builder's "Apply" and the panel's history do.
    void apply(const FilterNode &root);
    // The custom filter dialog's result: the column's conditions become this item.
    void applyColumnItem(int column, FilterNode item);
    // Switches the filter off and on without removing it.
    void setActive(bool active);
    // Removes the whole filter; it is then empty and off.
    void clear();

    // The column's drop-down entries, built from the table as it is now.
    FilterDropDownEntries dropDownEntries(int column) const;
    // The effect of every entry but "(Custom...)", which the caller turns into a dialog.
    void chooseDropDownEntry(int column, const FilterDropDownEntry &entry);

    // Whether "(Custom...)" may open the custom filter dialog; otherwise the builder opens.
    bool fitsCustomDialog() const { return m_criteria.fitsCustomDialog(); }

Q_SIGNALS:
    // The filter, its on/off state or the history changed; the rows are already refiltered.
    void filterChanged();

private:
    void updateColumns();
    void install();

    QPointer<GridViewModel> m_model;
    FilterColumns m_columns;
    FilterCriteria m_criteria;
    FilterHistory m_history;
    std::map<int, FilterValueHistory> m_valueHistories;
};

} // namespace pensilio::grid

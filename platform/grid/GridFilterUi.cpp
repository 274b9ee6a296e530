#include "platform/grid/GridFilterUi.h"

#include "platform/grid/BandedGridView.h"
#include "platform/grid/CustomFilterDialog.h"
#include "platform/grid/FilterBuilderDialog.h"
#include "platform/grid/FilterDropDown.h"
#include "platform/grid/FilterFileDialogs.h"
#include "platform/grid/FilterPanel.h"
#include "platform/grid/GridViewModel.h"
#include "platform/grid/StockTexts.h"

#include <QGuiApplication>
#include <QListView>
#include <QScreen>
#include <QWidget>

namespace pensilio::grid {

GridFilterUi::GridFilterUi(GridFilterController *controller, QWidget *dialogParent, QObject *parent)
    : QObject(parent), m_controller(controller), m_dialogParent(dialogParent),
      m_title(QGuiApplication::applicationDisplayName())
{}

GridFilterUi::~GridFilterUi()
{
    if (m_dropDown)
        m_dropDown->close();
}

void GridFilterUi::setMessageBoxes(MessageBoxes *boxes, const QString &title)
{
    m_boxes = boxes;
    m_title = title;
}

int GridFilterUi::run(QDialog &dialog)
{
    return m_runner ? m_runner(dialog) : dialog.exec();
}

void GridFilterUi::attachTo(BandedGridView *view)
{
    m_view = view;
    view->setFilterPanel(panel(view));
    connect(view, &BandedGridView::filterDropDownRequested, this,
            [this](int column, QRect headerRectGlobal) { showDropDown(column, headerRectGlobal); });
    connect(m_controller, &GridFilterController::filterChanged, this,
            &GridFilterUi::markFilteredColumns);
    markFilteredColumns();
}

void GridFilterUi::markFilteredColumns()
{
    if (!m_view || !m_controller->model())
        return;
    const int count = m_controller->model()->columns().columnCount();
    for (int column = 0; column < count; ++column)
        m_view->setColumnFiltered(column, m_controller->isColumnFiltered(column));
}

FilterPanel *GridFilterUi::panel(QWidget *parent)
{
    if (!m_panel) {
        m_panel = new FilterPanel(m_controller, parent);
        connect(m_panel, &FilterPanel::customizeRequested, this, &GridFilterUi::openFilterBuilder);
    }
    return m_panel;
}

FilterDropDown *GridFilterUi::showDropDown(int column, const QRect &headerRectGlobal)
{
    if (!m_controller->canFilter(column))
        return nullptr;
    if (m_dropDown)
        m_dropDown->close();
    m_dropDown = new FilterDropDown(m_dialogParent);
    FilterDropDownEntries entries = m_controller->dropDownEntries(column);
    const std::optional<FilterNode> item = m_controller->criteria().columnItem(column);
    const int current = entries.indexFor(item ? &*item : nullptr);
    m_dropDown->setEntries(std::move(entries), current);
    m_dropDown->setAccessibleName(m_controller->columns().byId(column)->caption);
    m_dropDown->list()->setAccessibleName(m_dropDown->accessibleName());
    connect(m_dropDown, &FilterDropDown::entryChosen, this, [this, column](int index) {
        const FilterDropDownEntry entry = m_dropDown->entries().at(index);
        if (entry.kind == FilterDropDownEntry::Kind::Custom)
            openCustomFilter(column);
        else
            m_controller->chooseDropDownEntry(column, entry);
    });
    m_dropDown->popup(headerRectGlobal);
    return m_dropDown;
}

void GridFilterUi::openCustomFilter(int column)
{
    const FilterColumn *filterColumn = m_controller->columns().byId(column);
    if (!filterColumn)
        return;
    if (!m_controller->fitsCustomDialog()) {
        openFilterBuilder();
        return;
    }
    CustomFilterDialog dialog(*filterColumn, m_controller->criteria().columnItem(column),
                              m_dialogParent);
    dialog.setMessageBoxes(m_boxes, m_title);
    if (run(dialog) == QDialog::Accepted)
        m_controller->applyColumnItem(column, dialog.result());
}

void GridFilterUi::openFilterBuilder()
{
    FilterBuilderDialog dialog(m_controller->columns(), m_controller->criteria().root(),
                               m_dialogParent);
    dialog.setMessageBoxes(m_boxes, m_title);
    if (!m_files) {
        if (!m_defaultFiles)
            m_defaultFiles = std::make_unique<QtFilterFileDialogs>();
        m_files = m_defaultFiles.get();
    }
    dialog.setFileDialogs(m_files);
    if (!m_builderFile.isEmpty())
        dialog.setFileName(m_builderFile);
    dialog.setApplyHandler([this](const FilterNode &root) { m_controller->apply(root); });
    if (m_builderGeometry) {
        dialog.setGeometry(*m_builderGeometry);
    } else {
        // Before its first use the builder opens in the middle of the screen.
        const QScreen *screen =
            m_dialogParent ? m_dialogParent->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            QRect frame(QPoint(), dialog.size());
            frame.moveCenter(screen->availableGeometry().center());
            dialog.move(frame.topLeft());
        }
    }
    run(dialog);
    m_builderGeometry = dialog.geometry();
    m_builderFile = dialog.fileName();
}

} // namespace pensilio::grid

#pragma once
// The filter user interface of one grid view around its GridFilterController: opens a column's
// drop-down, the custom filter dialog or the filter builder in its place, and provides the
// filter panel. Modal dialogs run through an injectable runner, boxes and file dialogs through
// small interfaces, so that tests never block.

#include "platform/grid/GridFilterController.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace pensilio {
class MessageBoxes;
}

namespace pensilio::grid {

class BandedGridView;
class FilterDropDown;
class FilterFileDialogs;
class FilterPanel;

class GridFilterUi : public QObject
{
    Q_OBJECT
public:
    // 'dialogParent' is the window the dialogs and the drop-down belong to.
    GridFilterUi(GridFilterController *controller, QWidget *dialogParent,
                 QObject *parent = nullptr);
    ~GridFilterUi() override;

    GridFilterController *controller() const { return m_controller; }

    // How modal dialogs run; QDialog::exec by default.
    void setModalRunner(std::function<int(QDialog &)> runner) { m_runner = std::move(runner); }
    void setMessageBoxes(MessageBoxes *boxes, const QString &title);
    void setFileDialogs(FilterFileDialogs *dialogs) { m_files = dialogs; }

    // Wires a grid widget of the controller's model: its header buttons open the drop-down and
    // show which columns are filtered, and it hosts the filter panel below its rows.
    void attachTo(BandedGridView *view);

    // The panel to place under the rows; made on first call, shown while the filter is not empty.
    FilterPanel *panel(QWidget *parent);

    // Opens the column's drop-down under its header; returns it while it is open.
    FilterDropDown *showDropDown(int column, const QRect &headerRectGlobal);
    // "(Custom...)": the custom filter dialog, or the builder when the filter does not fit it.
    void openCustomFilter(int column);
    void openFilterBuilder();

private:
    int run(QDialog &dialog);
    void markFilteredColumns();

    GridFilterController *m_controller;
    QPointer<QWidget> m_dialogParent;
    std::function<int(QDialog &)> m_runner;
    MessageBoxes *m_boxes = nullptr;
    QString m_title;
    FilterFileDialogs *m_files = nullptr;
    std::unique_ptr<FilterFileDialogs> m_defaultFiles;
    QPointer<FilterPanel> m_panel;
    QPointer<BandedGridView> m_view;
    QPointer<FilterDropDown> m_dropDown;
    // Where the builder was last closed, for the rest of the run.
    std::optional<QRect> m_builderGeometry;
    QString m_builderFile;
};

} // namespace pensilio::grid

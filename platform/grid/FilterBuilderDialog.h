#pragma once
// The filter builder dialog: the whole filter as an editable tree of groups and conditions, with
// filter files to open and save, and "Apply" to put the edited filter in force while it stays
// open.

#include "platform/grid/FilterNode.h"

#include <QDialog>
#include <functional>
#include <memory>

class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace pensilio {
class MessageBoxes;
}

namespace pensilio::grid {

class FilterFileDialogs;

class FilterBuilderDialog : public QDialog
{
    Q_OBJECT
public:
    FilterBuilderDialog(const FilterColumns &columns, const FilterNode &root,
                        QWidget *parent = nullptr);
    ~FilterBuilderDialog() override;

    void setMessageBoxes(MessageBoxes *boxes, const QString &title);
    void setFileDialogs(FilterFileDialogs *dialogs) { m_files = dialogs; }
    // Called by "Apply" and "OK" with the edited filter.
    void setApplyHandler(std::function<void(const FilterNode &)> apply)
    {
        m_apply = std::move(apply);
    }
    // The filter file the dialog names in its caption; "untitled.flt" at first.
    void setFileName(const QString &path);
    const QString &fileName() const { return m_fileName; }

    // The edited filter; an invalid value shows "Invalid value" and gives nullopt.
    std::optional<FilterNode> editedFilter();

    // The tree: one item per group and condition (the root first), then the line that adds a
    // condition. Each item's widget holds its button, lists and value fields.
    QTreeWidget *tree() const { return m_tree; }
    QToolButton *rowButton(QTreeWidgetItem *item) const;
    QPushButton *openButton() const { return m_open; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *applyButton() const { return m_applyButton; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    void openFile();
    void saveFileAs();
    bool applyEdits();
    void accept() override;

private:
    struct EditNode;
    void load(const FilterNode &root);
    void rebuild(const EditNode *focus = nullptr);
    QTreeWidgetItem *addRow(EditNode &node, QTreeWidgetItem *parent, const EditNode *focus);
    QWidget *groupRow(EditNode &node, const EditNode *focus);
    QWidget *conditionRow(EditNode &node, const EditNode *focus);
    QToolButton *menuButton(EditNode &node, QWidget *row);
    void addCondition(EditNode &group);
    void addGroup(EditNode &group);
    void removeNode(EditNode &node);
    void updateCaption();
    void showError(const QString &text);

    FilterColumns m_columns;
    std::unique_ptr<EditNode> m_root;
    QTreeWidget *m_tree;
    QPushButton *m_open;
    QPushButton *m_save;
    QPushButton *m_applyButton;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QString m_fileName;
    MessageBoxes *m_boxes = nullptr;
    QString m_title;
    FilterFileDialogs *m_files = nullptr;
    std::function<void(const FilterNode &)> m_apply;
};

} // namespace pensilio::grid

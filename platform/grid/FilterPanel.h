#pragma once
// The bar under a grid's rows that shows the filter in force while it is not empty: a button
// that removes it, a check box that switches it off and on, its description, the history of
// other filters, and a button that opens the filter builder.

#include <QWidget>

class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

namespace pensilio::grid {

class GridFilterController;

class FilterPanel : public QWidget
{
    Q_OBJECT
public:
    explicit FilterPanel(GridFilterController *controller, QWidget *parent = nullptr);

    QToolButton *removeButton() const { return m_remove; }
    QCheckBox *activeBox() const { return m_active; }
    QLabel *descriptionLabel() const { return m_description; }
    // Present (not hidden) only while the history holds a filter other than the one in force.
    QToolButton *historyButton() const { return m_historyButton; }
    QMenu *historyMenu() const { return m_historyMenu; }
    QPushButton *customizeButton() const { return m_customize; }

Q_SIGNALS:
    // "Customize..." was pressed: the filter builder should open.
    void customizeRequested();

protected:
    void changeEvent(QEvent *event) override;

private:
    void refresh();

    GridFilterController *m_controller;
    QToolButton *m_remove;
    QCheckBox *m_active;
    QLabel *m_description;
    QToolButton *m_historyButton;
    QMenu *m_historyMenu;
    QPushButton *m_customize;
};

} // namespace pensilio::grid

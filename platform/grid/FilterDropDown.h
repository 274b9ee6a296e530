#pragma once
// The popup list of a column's filter drop-down: shows FilterDropDownEntries, at most 15 lines
// before it scrolls, and reports the entry the user picks by mouse or keyboard.

#include "platform/grid/FilterDropDownEntries.h"

#include <QFrame>

class QListView;

namespace pensilio::grid {

class FilterDropDownModel;

class FilterDropDown : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kVisibleLines = 15;

    explicit FilterDropDown(QWidget *parent = nullptr);
    ~FilterDropDown() override;

    // 'current' is the entry to start on (the column's present condition).
    void setEntries(FilterDropDownEntries entries, int current);
    const FilterDropDownEntries &entries() const;
    QListView *list() const { return m_list; }

    // Shows the list under a header cell given in global coordinates, kept on its screen.
    void popup(const QRect &headerRectGlobal);
    // How many lines the list shows without scrolling.
    int visibleLineCount() const;

Q_SIGNALS:
    void entryChosen(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int index);

    FilterDropDownModel *m_model = nullptr;
    QListView *m_list = nullptr;
};

} // namespace pensilio::grid

#pragma once
// The custom filter dialog of one column: one or two conditions, each an operator and a value,
// joined by AND or OR. It starts from the column's present item and validates typed values
// before it closes with OK.

#include "platform/grid/FilterNode.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QRadioButton;

namespace pensilio {
class DateTimeReader;
class DateTimeFormatter;
class MessageBoxes;
} // namespace pensilio

namespace pensilio::grid {

class CustomFilterDialog : public QDialog
{
    Q_OBJECT
public:
    // 'start' is the column's item in the filter (a condition or a group of two), if any.
    CustomFilterDialog(const FilterColumn &column, const std::optional<FilterNode> &start,
                       QWidget *parent = nullptr);

    // Where "Invalid value" is shown, and the title of its box.
    void setMessageBoxes(MessageBoxes *boxes, const QString &title);
    // How dates are read and written for a date-and-time column.
    void setDateTimeReader(const DateTimeReader *reader) { m_reader = reader; }

    // The item the dialog was accepted with: one condition, or an AND/OR group of two.
    const FilterNode &result() const { return m_result; }

    QComboBox *operatorBox(int which) const { return which == 0 ? m_op1 : m_op2; }
    QLineEdit *valueEdit(int which) const { return which == 0 ? m_value1 : m_value2; }
    QRadioButton *andButton() const { return m_and; }
    QRadioButton *orButton() const { return m_or; }
    QDialogButtonBox *buttons() const { return m_buttons; }

    void accept() override;

private:
    void fillOperators(QComboBox *box, bool withNone);
    void setCondition(int which, const FilterCondition &condition);
    std::optional<FilterOperator> chosenOperator(int which) const;
    void updateEnabled();

    FilterColumn m_column;
    QComboBox *m_op1;
    QLineEdit *m_value1;
    QRadioButton *m_and;
    QRadioButton *m_or;
    QComboBox *m_op2;
    QLineEdit *m_value2;
    QDialogButtonBox *m_buttons;
    MessageBoxes *m_boxes = nullptr;
    QString m_title;
    const DateTimeReader *m_reader = nullptr;
    FilterNode m_result;
    // A condition may hold the missing value (a filter file can); it stays missing rather than
    // turning into the empty text until something is typed.
    bool m_missing[2] = {false, false};
};

} // namespace pensilio::grid

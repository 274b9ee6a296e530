#include "platform/grid/CustomFilterDialog.h"

#include "platform/core/Error.h"
#include "platform/core/MessageBoxes.h"
#include "platform/grid/StockTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pensilio::grid {

namespace {
QString hint(QChar wildcard, const char *rest)
{
    return stockText(QStringLiteral("Use")) + QLatin1Char(' ') + wildcard + QLatin1Char(' ') +
           stockText(QString::fromLatin1(rest));
}
} // namespace

CustomFilterDialog::CustomFilterDialog(const FilterColumn &column,
                                       const std::optional<FilterNode> &start, QWidget *parent)
    : QDialog(parent), m_column(column), m_op1(new QComboBox(this)), m_value1(new QLineEdit(this)),
      m_and(new QRadioButton(this)), m_or(new QRadioButton(this)), m_op2(new QComboBox(this)),
      m_value2(new QLineEdit(this)), m_buttons(new QDialogButtonBox(this))
{
    setWindowTitle(stockText(QStringLiteral("Custom Filter")));
    auto *title = new QLabel(stockText(QStringLiteral("Show rows where:")), this);
    auto *caption = new QLabel(column.caption, this);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);

    fillOperators(m_op1, false);
    fillOperators(m_op2, true);
    m_and->setText(stockText(QStringLiteral("AND")));
    m_or->setText(stockText(QStringLiteral("OR")));
    m_and->setChecked(true);
    // Screen readers name each list and field by what it holds.
    m_op1->setAccessibleName(column.caption);
    m_op2->setAccessibleName(column.caption);
    m_value1->setAccessibleName(column.caption);
    m_value2->setAccessibleName(column.caption);

    QPushButton *ok =
        m_buttons->addButton(stockText(QStringLiteral("OK")), QDialogButtonBox::AcceptRole);
    m_buttons->addButton(stockText(QStringLiteral("Cancel")), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CustomFilterDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CustomFilterDialog::reject);

    auto *conditions = new QGridLayout;
    conditions->addWidget(m_op1, 0, 0);
    conditions->addWidget(m_value1, 0, 1);
    auto *joins = new QHBoxLayout;
    joins->addWidget(m_and);
    joins->addWidget(m_or);
    joins->addStretch();
    conditions->addLayout(joins, 1, 0, 1, 2);
    conditions->addWidget(m_op2, 2, 0);
    conditions->addWidget(m_value2, 2, 1);
    conditions->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(caption);
    layout->addLayout(conditions);
    layout->addWidget(
        new QLabel(hint(QLatin1Char('_'), "to represent any single character"), this));
    layout->addWidget(
        new QLabel(hint(QLatin1Char('%'), "to represent any series of characters"), this));
    layout->addWidget(m_buttons);
    setMinimumWidth(420);

    m_op1->setCurrentIndex(m_op1->findData(int(FilterOperator::Like)));
    m_op2->setCurrentIndex(0);
    if (start) {
        if (!start->isGroup()) {
            setCondition(0, start->condition());
        } else if (start->children().size() == 2) {
            setCondition(0, start->children()[0].condition());
            setCondition(1, start->children()[1].condition());
            (start->groupOperator() == FilterGroupOperator::Or ? m_or : m_and)->setChecked(true);
        }
    }
    connect(m_op1, &QComboBox::currentIndexChanged, this, &CustomFilterDialog::updateEnabled);
    connect(m_op2, &QComboBox::currentIndexChanged, this, &CustomFilterDialog::updateEnabled);
    updateEnabled();
}

void CustomFilterDialog::setMessageBoxes(MessageBoxes *boxes, const QString &title)
{
    m_boxes = boxes;
    m_title = title;
}

void CustomFilterDialog::fillOperators(QComboBox *box, bool withNone)
{
    if (withNone)
        box->addItem(QString(), -1);
    for (const FilterOperator op : customDialogOperators())
        box->addItem(operatorName(op), int(op));
}

void CustomFilterDialog::setCondition(int which, const FilterCondition &condition)
{
    QComboBox *box = operatorBox(which);
    const int index = box->findData(int(condition.op));
    if (index >= 0)
        box->setCurrentIndex(index);
    if (condition.values.empty())
        return;
    if (condition.values.front().isNull()) {
        m_missing[which] = true;
        valueEdit(which)->setPlaceholderText(stockText(QStringLiteral("blank")));
        connect(valueEdit(which), &QLineEdit::textEdited, this, [this, which] {
            m_missing[which] = false;
            valueEdit(which)->setPlaceholderText(QString());
        });
    } else {
        valueEdit(which)->setText(condition.values.front().displayText());
    }
}

std::optional<FilterOperator> CustomFilterDialog::chosenOperator(int which) const
{
    const int data = operatorBox(which)->currentData().toInt();
    if (data < 0)
        return std::nullopt;
    return FilterOperator(data);
}

void CustomFilterDialog::updateEnabled()
{
    // A value field is open only while its operator takes a value.
    for (int which = 0; which < 2; ++which) {
        const auto op = chosenOperator(which);
        valueEdit(which)->setEnabled(op && filterArity(*op) != FilterArity::None);
    }
    const bool second = chosenOperator(1).has_value();
    m_and->setEnabled(second);
    m_or->setEnabled(second);
}

void CustomFilterDialog::accept()
{
    std::vector<FilterNode> conditions;
    for (int which = 0; which < 2; ++which) {
        const auto op = chosenOperator(which);
        if (!op)
            continue;
        std::vector<FilterValue> values;
        if (filterArity(*op) != FilterArity::None && m_missing[which] &&
            valueEdit(which)->text().isEmpty()) {
            values.emplace_back();
        } else if (filterArity(*op) != FilterArity::None) {
            try {
                values.push_back(
                    FilterValue::fromUserText(m_column.type, valueEdit(which)->text(), m_reader));
            } catch (const Error &error) {
                if (m_boxes)
                    m_boxes->showError(m_title, error.message());
                valueEdit(which)->setFocus();
                valueEdit(which)->selectAll();
                return;
            }
        }
        conditions.push_back(FilterNode::condition(m_column.id, *op, std::move(values)));
    }
    if (conditions.size() == 1) {
        m_result = std::move(conditions.front());
    } else {
        m_result = FilterNode::group(m_or->isChecked() ? FilterGroupOperator::Or
                                                       : FilterGroupOperator::And,
                                     std::move(conditions));
    }
    QDialog::accept();
}

} // namespace pensilio::grid

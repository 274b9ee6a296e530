#include "platform/grid/FilterBuilderDialog.h"

#include "platform/core/Error.h"
#include "platform/core/MessageBoxes.h"
#include "platform/grid/FilterFile.h"
#include "platform/grid/FilterFileDialogs.h"
#include "platform/grid/StockTexts.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pensilio::grid {

// A value as the dialog edits it: the typed text, or the missing value a filter file may hold,
// which stays missing (rather than becoming the empty text) until something is typed.
struct FilterBuilderValue
{
    QString text;
    bool missing = false;
};

// A node as the dialog edits it: values stay the typed texts until the filter is taken.
struct FilterBuilderDialog::EditNode
{
    bool group = true;
    FilterGroupOperator groupOp = FilterGroupOperator::And;
    std::vector<std::unique_ptr<EditNode>> children;
    EditNode *parent = nullptr;
    int column = -1;
    FilterOperator op = FilterOperator::Equal;
    QList<FilterBuilderValue> values;
};

namespace {
constexpr int kNodeRole = Qt::UserRole + 1;

int valueCount(FilterOperator op, int listSize)
{
    switch (filterArity(op)) {
    case FilterArity::None:
        return 0;
    case FilterArity::One:
        return 1;
    case FilterArity::Two:
        return 2;
    case FilterArity::List:
        return std::max(1, listSize);
    }
    return 0;
}

void fitValues(QList<FilterBuilderValue> &values, FilterOperator op)
{
    const int count = valueCount(op, int(values.size()));
    while (values.size() > count)
        values.removeLast();
    while (values.size() < count)
        values.append(FilterBuilderValue());
}

QString groupPlaceholder(bool root)
{
    return stockText(root ? QStringLiteral("<root>")
                          : QStringLiteral("applies to the following conditions"));
}
} // namespace

FilterBuilderDialog::FilterBuilderDialog(const FilterColumns &columns, const FilterNode &root,
                                         QWidget *parent)
    : QDialog(parent), m_columns(columns), m_tree(new QTreeWidget(this)),
      m_open(new QPushButton(stockText(QStringLiteral("&Open...")), this)),
      m_save(new QPushButton(stockText(QStringLiteral("&Save As...")), this)),
      m_applyButton(new QPushButton(stockText(QStringLiteral("&Apply")), this)),
      m_ok(new QPushButton(stockText(QStringLiteral("OK")), this)),
      m_cancel(new QPushButton(stockText(QStringLiteral("Cancel")), this)),
      m_fileName(stockText(QStringLiteral("untitled.flt")))
{
    setSizeGripEnabled(true);
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setRootIsDecorated(false);
    m_tree->setSelectionMode(QAbstractItemView::NoSelection);
    m_tree->setFocusPolicy(Qt::NoFocus);
    m_tree->setAccessibleName(stockText(QStringLiteral("Filter builder")));
    m_ok->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_open);
    buttons->addWidget(m_save);
    buttons->addStretch();
    buttons->addWidget(m_applyButton);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);
    resize(560, 340);

    connect(m_open, &QPushButton::clicked, this, &FilterBuilderDialog::openFile);
    connect(m_save, &QPushButton::clicked, this, &FilterBuilderDialog::saveFileAs);
    connect(m_applyButton, &QPushButton::clicked, this, &FilterBuilderDialog::applyEdits);
    connect(m_ok, &QPushButton::clicked, this, &FilterBuilderDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &FilterBuilderDialog::reject);

    load(root);
    updateCaption();
}

FilterBuilderDialog::~FilterBuilderDialog() = default;

void FilterBuilderDialog::setMessageBoxes(MessageBoxes *boxes, const QString &title)
{
    m_boxes = boxes;
    m_title = title;
}

void FilterBuilderDialog::setFileName(const QString &path)
{
    m_fileName = path;
    updateCaption();
}

void FilterBuilderDialog::updateCaption()
{
    setWindowTitle(stockText(QStringLiteral("Filter builder")) + QStringLiteral(" - [") +
                   QFileInfo(m_fileName).fileName() + QLatin1Char(']'));
}

void FilterBuilderDialog::showError(const QString &text)
{
    if (m_boxes)
        m_boxes->showError(m_title, text);
}

void FilterBuilderDialog::load(const FilterNode &root)
{
    std::function<std::unique_ptr<EditNode>(const FilterNode &, EditNode *)> convert =
        [&](const FilterNode &node, EditNode *parent) {
            auto edit = std::make_unique<EditNode>();
            edit->parent = parent;
            edit->group = node.isGroup();
            if (node.isGroup()) {
                edit->groupOp = node.groupOperator();
                for (const FilterNode &child : node.children())
                    edit->children.push_back(convert(child, edit.get()));
            } else {
                edit->column = node.condition().column;
                edit->op = node.condition().op;
                for (const FilterValue &value : node.condition().values)
                    edit->values << (value.isNull()
                                         ? FilterBuilderValue{QString(), true}
                                         : FilterBuilderValue{value.displayText(), false});
                fitValues(edit->values, edit->op);
            }
            return edit;
        };
    if (root.isGroup()) {
        m_root = convert(root, nullptr);
    } else {
        m_root = std::make_unique<EditNode>();
        m_root->children.push_back(convert(root, m_root.get()));
    }
    rebuild();
}

std::optional<FilterNode> FilterBuilderDialog::editedFilter()
{
    std::function<FilterNode(const EditNode &)> convert = [&](const EditNode &node) {
        if (node.group) {
            FilterNode group = FilterNode::group(node.groupOp);
            for (const auto &child : node.children)
                group.append(convert(*child));
            return group;
        }
        const FilterColumn *column = m_columns.byId(node.column);
        std::vector<FilterValue> values;
        for (const FilterBuilderValue &value : node.values) {
            if (value.missing) {
                values.push_back(FilterValue());
                continue;
            }
            values.push_back(FilterValue::fromUserText(
                column ? column->type : FilterColumnType::Text, value.text));
        }
        return FilterNode::condition(node.column, node.op, std::move(values));
    };
    try {
        return convert(*m_root);
    } catch (const Error &error) {
        showError(error.message());
        return std::nullopt;
    }
}

void FilterBuilderDialog::rebuild(const EditNode *focus)
{
    // Rows are rebuilt while one of their own widgets is still in its signal; the view releases
    // item widgets with deleteLater, so that is safe.
    m_tree->clear();
    QTreeWidgetItem *root = addRow(*m_root, nullptr, focus);
    auto *addLine = new QTreeWidgetItem(m_tree);
    auto *add = new QPushButton(
        stockText(QStringLiteral("press the button to add a new condition")), m_tree);
    add->setFlat(true);
    add->setStyleSheet(QStringLiteral("text-align: left; color: palette(link);"));
    connect(add, &QPushButton::clicked, this, [this] { addCondition(*m_root); });
    m_tree->setItemWidget(addLine, 0, add);
    m_tree->expandAll();
    Q_UNUSED(root)
}

QTreeWidgetItem *FilterBuilderDialog::addRow(EditNode &node, QTreeWidgetItem *parent,
                                             const EditNode *focus)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
    item->setData(0, kNodeRole, QVariant::fromValue(static_cast<void *>(&node)));
    m_tree->setItemWidget(item, 0, node.group ? groupRow(node, focus) : conditionRow(node, focus));
    for (const auto &child : node.children)
        addRow(*child, item, focus);
    return item;
}

QToolButton *FilterBuilderDialog::rowButton(QTreeWidgetItem *item) const
{
    QWidget *row = item ? m_tree->itemWidget(item, 0) : nullptr;
    return row ? row->findChild<QToolButton *>(QStringLiteral("rowButton")) : nullptr;
}

QToolButton *FilterBuilderDialog::menuButton(EditNode &node, QWidget *row)
{
    const bool isRoot = &node == m_root.get();
    auto *button = new QToolButton(row);
    button->setObjectName(QStringLiteral("rowButton"));
    button->setText(isRoot ? stockText(QStringLiteral("Filter")) : QStringLiteral("..."));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *menu = new QMenu(button);
    EditNode *target = node.group ? &node : node.parent;
    connect(menu->addAction(stockText(QStringLiteral("Add &Condition"))), &QAction::triggered, this,
            [this, target] { addCondition(*target); });
    connect(menu->addAction(stockText(QStringLiteral("Add &Group"))), &QAction::triggered, this,
            [this, target] { addGroup(*target); });
    QAction *separator = menu->addSeparator();
    if (isRoot) {
        QAction *clearAll = menu->addAction(stockText(QStringLiteral("Clear &All")));
        connect(clearAll, &QAction::triggered, this, [this] {
            m_root->children.clear();
            rebuild(m_root.get());
        });
        // The rows are rebuilt after every change, so this holds while the menu exists.
        const bool any = !node.children.empty();
        separator->setVisible(any);
        clearAll->setVisible(any);
    } else {
        connect(menu->addAction(stockText(QStringLiteral("&Remove Row"))), &QAction::triggered,
                this, [this, &node] { removeNode(node); });
    }
    button->setMenu(menu);
    return button;
}

QWidget *FilterBuilderDialog::groupRow(EditNode &node, const EditNode *focus)
{
    auto *row = new QWidget(m_tree);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QToolButton *button = menuButton(node, row);
    auto *op = new QComboBox(row);
    op->setObjectName(QStringLiteral("groupOperator"));
    for (const auto g : {FilterGroupOperator::And, FilterGroupOperator::Or,
                         FilterGroupOperator::NotAnd, FilterGroupOperator::NotOr})
        op->addItem(groupOperatorName(g), int(g));
    op->setCurrentIndex(op->findData(int(node.groupOp)));
    connect(op, &QComboBox::currentIndexChanged, this,
            [&node, op] { node.groupOp = FilterGroupOperator(op->currentData().toInt()); });
    auto *label = new QLabel(groupPlaceholder(&node == m_root.get()), row);
    op->setAccessibleName(label->text());
    button->setAccessibleName(label->text());
    layout->addWidget(button);
    layout->addWidget(op);
    layout->addWidget(label);
    layout->addStretch();
    if (focus == &node)
        button->setFocus();
    return row;
}

QWidget *FilterBuilderDialog::conditionRow(EditNode &node, const EditNode *focus)
{
    auto *row = new QWidget(m_tree);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(menuButton(node, row));

    auto *column = new QComboBox(row);
    column->setObjectName(QStringLiteral("column"));
    for (const FilterColumn &c : m_columns.all())
        column->addItem(c.caption, c.id);
    column->setCurrentIndex(column->findData(node.column));
    const FilterColumn *filterColumn = m_columns.byId(node.column);
    column->setAccessibleName(filterColumn ? filterColumn->caption : QString());
    layout->addWidget(column);

    auto *op = new QComboBox(row);
    op->setObjectName(QStringLiteral("operator"));
    const FilterColumnType type = filterColumn ? filterColumn->type : FilterColumnType::Text;
    for (const FilterOperator o : builderOperators(type))
        op->addItem(operatorName(o), int(o));
    op->setCurrentIndex(op->findData(int(node.op)));
    op->setAccessibleName(column->accessibleName());
    layout->addWidget(op);

    connect(column, &QComboBox::currentIndexChanged, this, [this, &node, column] {
        node.column = column->currentData().toInt();
        const FilterColumn *chosen = m_columns.byId(node.column);
        if (chosen && !operatorAppliesTo(node.op, chosen->type)) {
            node.op = FilterOperator::Equal;
            fitValues(node.values, node.op);
        }
        rebuild(&node);
    });
    connect(op, &QComboBox::currentIndexChanged, this, [this, &node, op] {
        node.op = FilterOperator(op->currentData().toInt());
        fitValues(node.values, node.op);
        rebuild(&node);
    });

    const bool list = filterArity(node.op) == FilterArity::List;
    for (int i = 0; i < node.values.size(); ++i) {
        if (i > 0 && filterArity(node.op) == FilterArity::Two)
            layout->addWidget(new QLabel(stockText(QStringLiteral("and")), row));
        auto *edit = new QLineEdit(node.values[i].text, row);
        edit->setObjectName(QStringLiteral("value"));
        edit->setPlaceholderText(stockText(node.values[i].missing ? QStringLiteral("blank")
                                                                  : QStringLiteral("<empty>")));
        edit->setAccessibleName(column->accessibleName());
        connect(edit, &QLineEdit::textEdited, this, [&node, i](const QString &text) {
            node.values[i] = {text, false};
        });
        layout->addWidget(edit, 1);
        if (list && node.values.size() > 1) {
            auto *remove = new QToolButton(row);
            remove->setText(QStringLiteral("-"));
            remove->setAccessibleName(
                stockText(QStringLiteral("&Remove Row")).remove(QLatin1Char('&')));
            connect(remove, &QToolButton::clicked, this, [this, &node, i] {
                node.values.removeAt(i);
                rebuild(&node);
            });
            layout->addWidget(remove);
        }
    }
    if (list) {
        auto *more = new QToolButton(row);
        more->setObjectName(QStringLiteral("addValue"));
        more->setText(QStringLiteral("+"));
        more->setAccessibleName(stockText(QStringLiteral("Add value")));
        connect(more, &QToolButton::clicked, this, [this, &node] {
            node.values.append(FilterBuilderValue());
            rebuild(&node);
        });
        layout->addWidget(more);
    }
    if (node.values.isEmpty())
        layout->addStretch(1);
    if (focus == &node)
        op->setFocus();
    return row;
}

void FilterBuilderDialog::addCondition(EditNode &group)
{
    auto node = std::make_unique<EditNode>();
    node->group = false;
    node->parent = &group;
    node->column = m_columns.all().empty() ? -1 : m_columns.all().front().id;
    node->op = FilterOperator::Equal;
    fitValues(node->values, node->op);
    EditNode *added = node.get();
    group.children.push_back(std::move(node));
    rebuild(added);
}

void FilterBuilderDialog::addGroup(EditNode &group)
{
    auto node = std::make_unique<EditNode>();
    node->parent = &group;
    EditNode *added = node.get();
    group.children.push_back(std::move(node));
    addCondition(*added);
}

void FilterBuilderDialog::removeNode(EditNode &node)
{
    EditNode *parent = node.parent;
    if (!parent)
        return;
    auto &siblings = parent->children;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [&node](const auto &child) { return child.get() == &node; });
    if (it == siblings.end())
        return;
    siblings.erase(it);
    rebuild(parent);
}

void FilterBuilderDialog::openFile()
{
    if (!m_files)
        return;
    const QString path =
        m_files->openFileName(this, {stockText(QStringLiteral("Open an existing filter")),
                                     stockText(QStringLiteral("Filters (*.flt)|*.flt")),
                                     stockText(QStringLiteral("flt")), QString()});
    if (path.isEmpty())
        return;
    try {
        load(filterfile::load(path, m_columns));
    } catch (const Error &error) {
        showError(error.message());
        return;
    }
    setFileName(path);
}

void FilterBuilderDialog::saveFileAs()
{
    if (!m_files)
        return;
    const std::optional<FilterNode> root = editedFilter();
    if (!root)
        return;
    const QString suffix = stockText(QStringLiteral("flt"));
    QString path = m_files->saveFileName(
        this, {stockText(QStringLiteral("Save the active filter to file")),
               stockText(QStringLiteral("Filters (*.flt)|*.flt")), suffix, m_fileName});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    if (QFileInfo::exists(path) && m_boxes &&
        !m_boxes->askYesNo(
            m_title, stockText(QStringLiteral("%1 already exists.\nDo you want to replace it?"))
                         .arg(QFileInfo(path).fileName())))
        return;
    try {
        filterfile::save(path, *root, m_columns);
    } catch (const Error &error) {
        showError(error.message());
        return;
    }
    setFileName(path);
}

bool FilterBuilderDialog::applyEdits()
{
    const std::optional<FilterNode> root = editedFilter();
    if (!root)
        return false;
    if (m_apply)
        m_apply(*root);
    return true;
}

void FilterBuilderDialog::accept()
{
    if (applyEdits())
        QDialog::accept();
}

} // namespace pensilio::grid

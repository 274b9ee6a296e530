#include "platform/grid/FilterDropDown.h"

#include <QAbstractListModel>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace pensilio::grid {

// The entries as a list model: texts are made only for the lines that are drawn.
class FilterDropDownModel final : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    void setEntries(FilterDropDownEntries entries)
    {
        beginResetModel();
        m_entries = std::move(entries);
        endResetModel();
    }
    const FilterDropDownEntries &entries() const { return m_entries; }
    bool isSeparator(int row) const
    {
        return row >= 0 && row < m_entries.count() &&
               m_entries.at(row).kind == FilterDropDownEntry::Kind::Separator;
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_entries.count();
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return m_entries.text(index.row());
        if (role == Qt::AccessibleTextRole && isSeparator(index.row()))
            return QString();
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        if (isSeparator(index.row()))
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

private:
    FilterDropDownEntries m_entries;
};

namespace {
class SeparatorDelegate final : public QStyledItemDelegate
{
public:
    SeparatorDelegate(const FilterDropDownModel *model, QObject *parent)
        : QStyledItemDelegate(parent), m_model(model)
    {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        if (!m_model->isSeparator(index.row())) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const int y = option.rect.center().y();
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.left() + 2, y, option.rect.right() - 2, y);
        painter->restore();
    }

private:
    const FilterDropDownModel *m_model;
};
} // namespace

FilterDropDown::FilterDropDown(QWidget *parent)
    : QFrame(parent, Qt::Popup), m_model(new FilterDropDownModel(this)), m_list(new QListView(this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAttribute(Qt::WA_DeleteOnClose);
    m_list->setModel(m_model);
    m_list->setItemDelegate(new SeparatorDelegate(m_model, m_list));
    // Every line is as high as the others, so the view needs no pass over 2,000 texts.
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_list->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_list);
    setFocusProxy(m_list);
}

FilterDropDown::~FilterDropDown() = default;

void FilterDropDown::setEntries(FilterDropDownEntries entries, int current)
{
    m_model->setEntries(std::move(entries));
    if (current >= 0 && current < m_model->rowCount()) {
        m_list->setCurrentIndex(m_model->index(current));
        m_list->scrollTo(m_model->index(current), QAbstractItemView::PositionAtCenter);
    }
}

const FilterDropDownEntries &FilterDropDown::entries() const
{
    return m_model->entries();
}

int FilterDropDown::visibleLineCount() const
{
    const int lineHeight = m_list->sizeHintForRow(0);
    if (m_model->rowCount() == 0 || lineHeight <= 0)
        return 0;
    return std::min(m_model->rowCount(), m_list->viewport()->height() / lineHeight);
}

void FilterDropDown::popup(const QRect &headerRectGlobal)
{
    const int count = m_model->rowCount();
    const int lineHeight = std::max(1, m_list->sizeHintForRow(0));
    const int lines = std::clamp(count, 1, kVisibleLines);
    int width = headerRectGlobal.width();
    // The widest line, measured on the first lines and the longest text: measuring thousands
    // of values would delay the popup for a few pixels.
    const QFontMetrics metrics(m_list->font());
    int widest = 0;
    int longest = -1;
    for (int i = 0; i < count; ++i) {
        const FilterDropDownEntry &entry = m_model->entries().at(i);
        if (i < 200)
            widest = std::max(widest, metrics.horizontalAdvance(m_model->entries().text(i)));
        else if (entry.value.isText() &&
                 (longest < 0 || entry.value.textBytes().size() >
                                     m_model->entries().at(longest).value.textBytes().size()))
            longest = i;
    }
    if (longest >= 0)
        widest = std::max(widest, metrics.horizontalAdvance(m_model->entries().text(longest)));
    const int scrollBar =
        count > kVisibleLines ? m_list->verticalScrollBar()->sizeHint().width() : 0;
    width = std::max(width, widest + 16 + scrollBar);
    const QMargins margins = contentsMargins() + layout()->contentsMargins();
    QSize size(width, lines * lineHeight + margins.top() + margins.bottom() + 2 * frameWidth());

    QPoint at = headerRectGlobal.bottomLeft() + QPoint(0, 1);
    if (const QScreen *screen = QGuiApplication::screenAt(headerRectGlobal.center())) {
        const QRect room = screen->availableGeometry();
        size.setWidth(std::min(size.width(), room.width()));
        if (at.y() + size.height() > room.bottom() &&
            headerRectGlobal.top() - size.height() >= room.top())
            at.setY(headerRectGlobal.top() - size.height());
        at.setX(
            std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width())));
    }
    resize(size);
    move(at);
    show();
    m_list->setFocus();
}

void FilterDropDown::choose(int index)
{
    if (index < 0 || index >= m_model->rowCount() || m_model->isSeparator(index))
        return;
    close();
    Q_EMIT entryChosen(index);
}

bool FilterDropDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport()) {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                const QModelIndex index = m_list->indexAt(mouse->position().toPoint());
                if (index.isValid()) {
                    choose(index.row());
                    return true;
                }
            }
        } else if (event->type() == QEvent::MouseMove) {
            // The line under the pointer is the one a click would pick, as in a combo box.
            const QModelIndex index =
                m_list->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
            if (index.isValid() && (index.flags() & Qt::ItemIsSelectable))
                m_list->setCurrentIndex(index);
        }
    } else if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            choose(m_list->currentIndex().row());
            return true;
        case Qt::Key_Escape:
            close();
            return true;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace pensilio::grid

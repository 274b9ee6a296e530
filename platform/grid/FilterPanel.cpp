#include "platform/grid/FilterPanel.h"

#include "platform/grid/GridFilterController.h"
#include "platform/grid/StockTexts.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace pensilio::grid {

FilterPanel::FilterPanel(GridFilterController *controller, QWidget *parent)
    : QWidget(parent), m_controller(controller), m_remove(new QToolButton(this)),
      m_active(new QCheckBox(this)), m_description(new QLabel(this)),
      m_historyButton(new QToolButton(this)), m_historyMenu(new QMenu(this)),
      m_customize(new QPushButton(this))
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    m_remove->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    m_remove->setAutoRaise(true);
    m_description->setTextFormat(Qt::PlainText);
    m_description->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_historyButton->setArrowType(Qt::DownArrow);
    m_historyButton->setAutoRaise(true);
    m_historyButton->setMenu(m_historyMenu);
    m_historyButton->setPopupMode(QToolButton::InstantPopup);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_remove);
    layout->addWidget(m_active);
    layout->addWidget(m_description, 1);
    layout->addWidget(m_historyButton);
    layout->addWidget(m_customize);

    connect(m_remove, &QToolButton::clicked, controller, &GridFilterController::clear);
    connect(m_active, &QCheckBox::toggled, controller, &GridFilterController::setActive);
    connect(m_customize, &QPushButton::clicked, this, &FilterPanel::customizeRequested);
    connect(controller, &GridFilterController::filterChanged, this, &FilterPanel::refresh);
    refresh();
}

void FilterPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        refresh();
    QWidget::changeEvent(event);
}

void FilterPanel::refresh()
{
    const FilterCriteria &criteria = m_controller->criteria();
    const QString description = m_controller->description();
    m_description->setText(description);
    m_description->setToolTip(description);
    {
        const QSignalBlocker blocker(m_active);
        m_active->setChecked(criteria.isActive());
    }
    m_customize->setText(stockText(QStringLiteral("Customize...")));
    // The pack has no texts for these; screen readers still need a name for each.
    m_remove->setAccessibleName(stockText(QStringLiteral("Remove filter")));
    m_remove->setToolTip(m_remove->accessibleName());
    m_active->setAccessibleName(description);
    m_active->setAccessibleDescription(stockText(QStringLiteral("Filter on")));
    m_historyButton->setAccessibleName(stockText(QStringLiteral("Recent filters")));

    // An entry may be the one being triggered right now, so old entries go only later.
    for (QAction *old : m_historyMenu->actions()) {
        m_historyMenu->removeAction(old);
        old->deleteLater();
    }
    const std::vector<FilterNode> others =
        m_controller->history().entriesOtherThan(criteria.root());
    for (const FilterNode &root : others) {
        QAction *action = m_historyMenu->addAction(m_controller->describe(root));
        connect(action, &QAction::triggered, m_controller,
                [controller = m_controller, root] { controller->apply(root); });
    }
    m_historyButton->setVisible(!others.empty());
    setVisible(!criteria.isEmpty());
}

} // namespace pensilio::grid

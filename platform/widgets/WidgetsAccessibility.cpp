#include "platform/widgets/WidgetsAccessibility.h"

#include "platform/widgets/BevelPanel.h"
#include "platform/widgets/HyperlinkLabel.h"
#include "platform/widgets/SplitDropDownButton.h"

#include <QAccessibleWidget>
#include <QMenu>

namespace pensilio::widgets {

namespace {

class AccessibleLink final : public QAccessibleWidget
{
public:
    explicit AccessibleLink(HyperlinkLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *label = static_cast<HyperlinkLabel *>(widget());
        switch (t) {
        case QAccessible::Name:
            return label->accessibleName().isEmpty() ? label->text().trimmed()
                                                     : label->accessibleName();
        case QAccessible::Value:
            return label->address();
        default:
            return QAccessibleWidget::text(t);
        }
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            static_cast<HyperlinkLabel *>(widget())->open();
    }
};

class AccessibleSplitButton final : public QAccessibleWidget
{
public:
    explicit AccessibleSplitButton(SplitDropDownButton *button)
        : QAccessibleWidget(button, QAccessible::ButtonMenu)
    {}

    QString text(QAccessible::Text t) const override
    {
        const auto *button = static_cast<SplitDropDownButton *>(widget());
        if (t == QAccessible::Name && button->accessibleName().isEmpty())
            return QString(button->text()).remove(QLatin1Char('&'));
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.hasPopup = true;
        return s;
    }
    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString &name) override
    {
        if (name == showMenuAction())
            static_cast<SplitDropDownButton *>(widget())->openMenu();
    }
};

class AccessiblePanel final : public QAccessibleWidget
{
public:
    explicit AccessiblePanel(BevelPanel *panel) : QAccessibleWidget(panel, QAccessible::Pane) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *panel = static_cast<BevelPanel *>(widget());
        if (t == QAccessible::Name && panel->accessibleName().isEmpty())
            return panel->caption();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *factory(const QString &key, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (key == QLatin1String("pensilio::widgets::HyperlinkLabel"))
        return new AccessibleLink(static_cast<HyperlinkLabel *>(object));
    if (key == QLatin1String("pensilio::widgets::SplitDropDownButton"))
        return new AccessibleSplitButton(static_cast<SplitDropDownButton *>(object));
    if (key == QLatin1String("pensilio::widgets::BevelPanel"))
        return new AccessiblePanel(static_cast<BevelPanel *>(object));
    return nullptr;
}

} // namespace

void installWidgetsAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed)
}

} // namespace pensilio::widgets

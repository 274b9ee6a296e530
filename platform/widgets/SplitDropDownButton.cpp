#include "platform/widgets/SplitDropDownButton.h"

#include "platform/widgets/PopupPlacement.h"
#include "platform/widgets/WidgetsAccessibility.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace pensilio::widgets {

SplitDropDownButton::SplitDropDownButton(QWidget *parent) : SplitDropDownButton({}, parent) {}

SplitDropDownButton::SplitDropDownButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    installWidgetsAccessibility();
}

void SplitDropDownButton::setDropDownMenu(QMenu *menu)
{
    if (m_menu)
        m_menu->removeEventFilter(this);
    m_menu = menu;
    if (m_menu)
        m_menu->installEventFilter(this);
}

bool SplitDropDownButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_menu && event->type() == QEvent::MouseButtonPress) {
        // A press on this button closes the open menu and ends there: passed on to the
        // button, it would open the menu again at once.
        const auto *press = static_cast<QMouseEvent *>(event);
        const QPoint local = mapFromGlobal(press->globalPosition().toPoint());
        m_menu->setAttribute(Qt::WA_NoMouseReplay, rect().contains(local));
    }
    return QPushButton::eventFilter(watched, event);
}

QRect SplitDropDownButton::arrowRect() const
{
    return QRect(width() - kArrowWidth, 0, kArrowWidth, height());
}

QPoint SplitDropDownButton::menuPosition() const
{
    const QSize size = m_menu ? m_menu->sizeHint() : QSize();
    const QRect anchor(mapToGlobal(QPoint(0, 0)), this->size());
    const QScreen *where = screen();
    const QRect available = where ? where->availableGeometry() : anchor;
    return popupPosition(anchor, size, available, PopupAlignment::Centred);
}

void SplitDropDownButton::openMenu()
{
    openMenuFrom(Qt::OtherFocusReason);
}

void SplitDropDownButton::openMenuFrom(Qt::FocusReason reason)
{
    if (!m_menu || m_menu->isVisible())
        return;
    const QPoint pos = menuPosition();
    Q_EMIT menuRequested(pos);
    m_menu->popup(pos);
    // From the keyboard the first item is active at once, as in any menu opened by keys.
    if (reason == Qt::ShortcutFocusReason && !m_menu->actions().isEmpty())
        m_menu->setActiveAction(m_menu->actions().constFirst());
}

void SplitDropDownButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && arrowRect().contains(event->position().toPoint())) {
        event->accept();
        if (m_menu && m_menu->isVisible())
            m_menu->close();
        else
            openMenuFrom(Qt::MouseFocusReason);
        return;
    }
    QPushButton::mousePressEvent(event);
}

void SplitDropDownButton::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::AltModifier | Qt::ShiftModifier | Qt::ControlModifier);
    if ((event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) &&
        (mods == Qt::AltModifier || mods == Qt::ShiftModifier)) {
        event->accept();
        openMenuFrom(Qt::ShortcutFocusReason);
        return;
    }
    QPushButton::keyPressEvent(event);
}

void SplitDropDownButton::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    p.drawControl(QStyle::CE_PushButtonBevel, option);

    // The caption is centred on the body, not on the whole button.
    QStyleOptionButton label = option;
    label.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    label.rect.setRight(std::min(label.rect.right(), arrowRect().left() - 1));
    p.drawControl(QStyle::CE_PushButtonLabel, label);

    const QRect arrow = arrowRect();
    const int inset = std::max(3, height() / 6);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(arrow.left(), inset, arrow.left(), height() - 1 - inset);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(arrow.left() + 1, inset, arrow.left() + 1, height() - 1 - inset);

    QStyleOption arrowOption;
    arrowOption.initFrom(this);
    arrowOption.rect = QRect(arrow.left() + 3, arrow.center().y() - 3, arrow.width() - 5, 7);
    p.drawPrimitive(QStyle::PE_IndicatorArrowDown, arrowOption);
}

} // namespace pensilio::widgets

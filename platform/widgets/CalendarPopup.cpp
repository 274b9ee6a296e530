#include "platform/widgets/CalendarPopup.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace pensilio::widgets {

CalendarPopup::CalendarPopup(QWidget *parent) : QFrame(parent, Qt::Popup)
{
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    // The click that closes the popup must not reach the control under it, or the editor's
    // drop-down button would open it again at once.
    setAttribute(Qt::WA_NoMouseReplay);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(false);
    m_calendar->setAccessibleName(QStringLiteral("Calendar"));

    // The pack's own stock text, which stays English.
    m_now = new QPushButton(QStringLiteral("Now"), this);
    m_now->setObjectName(QStringLiteral("nowButton"));
    m_now->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_now);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 4);
    layout->setSpacing(4);
    layout->addWidget(m_calendar);
    layout->addLayout(buttons);

    connect(m_calendar, &QCalendarWidget::clicked, this, &CalendarPopup::dateChosen);
    connect(m_calendar, &QCalendarWidget::activated, this, &CalendarPopup::dateChosen);
    connect(m_now, &QPushButton::clicked, this, &CalendarPopup::nowRequested);
}

void CalendarPopup::keyPressEvent(QKeyEvent *event)
{
    const bool altUp = event->key() == Qt::Key_Up && (event->modifiers() & Qt::AltModifier);
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F4 || altUp) {
        event->accept();
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace pensilio::widgets

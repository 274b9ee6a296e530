#include "platform/widgets/DateTimeEditor.h"

#include "platform/core/Clock.h"
#include "platform/core/Cp1252.h"
#include "platform/core/DateTimeText.h"
#include "platform/widgets/CalendarPopup.h"
#include "platform/widgets/PopupPlacement.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

namespace pensilio::widgets {

DateTimeEditor::DateTimeEditor(QWidget *parent) : QLineEdit(parent)
{
    setRegionalSettings(RegionalSettings::system());
    setMaxLength(64);

    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("dropDownButton"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setAutoRaise(true);
    m_button->setAccessibleName(QStringLiteral("Open calendar"));
    connect(m_button, &QToolButton::clicked, this, &DateTimeEditor::openCalendar);

    m_popup = new CalendarPopup(this);
    connect(m_popup, &CalendarPopup::dateChosen, this, &DateTimeEditor::chooseDate);
    connect(m_popup, &CalendarPopup::nowRequested, this, &DateTimeEditor::setNow);

    connect(this, &QLineEdit::textEdited, this, [this] {
        m_edited = true;
        setInvalid(false);
    });
}

DateTimeEditor::~DateTimeEditor() = default;

Clock &DateTimeEditor::clock() const
{
    static SystemClock system;
    return m_clock ? *m_clock : system;
}

void DateTimeEditor::setRegionalSettings(const RegionalSettings &settings)
{
    const WallDateTime shown = value();
    const bool keepText = m_edited || m_invalid;
    m_settings = settings;
    m_datePattern = std::make_unique<DateTimePattern>(settings.shortDateFormat, settings);
    m_timePattern = std::make_unique<DateTimePattern>(settings.longTimeFormat, settings);
    if (!keepText)
        setValue(shown);
}

QString DateTimeEditor::textFor(WallDateTime value) const
{
    if (value.isNull())
        return {};
    const WallDateTime::Parts parts = value.parts();
    QByteArray out;
    m_datePattern->appendTo(out, parts);
    out.append(' ');
    m_timePattern->appendTo(out, parts);
    return cp1252::toUnicode(out);
}

bool DateTimeEditor::read(const QString &text, WallDateTime &out) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        out = WallDateTime();
        return true;
    }
    // A character outside the code page becomes '?', which no date reads past.
    const DateTimeReader reader(m_settings, clock().now().parts().year);
    return reader.read(cp1252::fromUnicode(trimmed), out);
}

WallDateTime DateTimeEditor::value() const
{
    if (!m_edited)
        return m_value;
    WallDateTime typed;
    return read(text(), typed) ? typed : WallDateTime();
}

bool DateTimeEditor::hasValidText() const
{
    if (!m_edited)
        return !m_invalid;
    WallDateTime typed;
    return read(text(), typed);
}

void DateTimeEditor::setValue(WallDateTime value)
{
    m_value = value;
    m_edited = false;
    setInvalid(false);
    setText(textFor(value));
}

void DateTimeEditor::commit()
{
    if (!m_edited)
        return;
    WallDateTime typed;
    if (!read(text(), typed)) {
        m_edited = false;
        const bool changed = !m_value.isNull();
        m_value = WallDateTime();
        setInvalid(true);
        if (changed)
            Q_EMIT valueChanged(m_value);
        Q_EMIT invalidTextEntered(text());
        return;
    }
    const bool changed = typed != m_value;
    setValue(typed);
    if (changed)
        Q_EMIT valueChanged(typed);
}

void DateTimeEditor::applyChosen(WallDateTime value)
{
    const bool changed = value != m_value || m_edited || m_invalid;
    setValue(value);
    closeCalendar();
    if (changed)
        Q_EMIT valueChanged(value);
}

void DateTimeEditor::chooseDate(const QDate &date)
{
    // The time of day stays as it was; a date picked for an empty editor starts at midnight.
    const WallDateTime current = value();
    const WallDateTime::Parts time = current.isNull() ? WallDateTime::Parts{} : current.parts();
    applyChosen(WallDateTime::fromParts(date.year(), date.month(), date.day(), time.hour,
                                        time.minute, time.second, time.msec));
}

void DateTimeEditor::setNow()
{
    applyChosen(clock().now());
}

void DateTimeEditor::setInvalid(bool invalid)
{
    if (m_invalid == invalid)
        return;
    m_invalid = invalid;
    const QString message = invalid ? DateTimeReader::invalidMessage(text()) : QString();
    setToolTip(message);
    setAccessibleDescription(message);
    update();
}

bool DateTimeEditor::isCalendarVisible() const
{
    return m_popup && m_popup->isVisible();
}

void DateTimeEditor::openCalendar()
{
    if (!m_popup || m_popup->isVisible() || isReadOnly() || !isEnabled())
        return;
    commit();
    const WallDateTime current = m_value.isNull() ? clock().now() : m_value;
    m_popup->calendar()->setSelectedDate(current.date());
    m_popup->adjustSize();
    const QRect anchor(mapToGlobal(QPoint(0, 0)), size());
    const QScreen *where = screen();
    const QRect available = where ? where->availableGeometry() : anchor;
    m_popup->move(popupPosition(anchor, m_popup->size(), available, PopupAlignment::Left));
    m_popup->show();
    m_popup->calendar()->setFocus(Qt::PopupFocusReason);
}

void DateTimeEditor::closeCalendar()
{
    if (m_popup && m_popup->isVisible())
        m_popup->close();
}

void DateTimeEditor::keyPressEvent(QKeyEvent *event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    if (event->key() == Qt::Key_F4 || (alt && event->key() == Qt::Key_Down)) {
        event->accept();
        openCalendar();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter confirms the text and goes no further: it presses no button of the form.
        event->accept();
        commit();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DateTimeEditor::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason)
        commit();
    QLineEdit::focusOutEvent(event);
}

void DateTimeEditor::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int h = height() - 2 * frame;
    const int w = std::min(h, 18);
    m_button->setGeometry(width() - frame - w, frame, w, h);
    setTextMargins(0, 0, w, 0);
}

void DateTimeEditor::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!m_invalid)
        return;
    // An unreadable text stays as typed, framed in red until it is corrected.
    QPainter p(this);
    p.setPen(QColor(Qt::red));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace pensilio::widgets

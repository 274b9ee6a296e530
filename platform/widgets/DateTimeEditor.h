#pragma once
// A date-and-time editor: the value as text in the regional formats (short date, a blank and the
// long time, midnight included), a drop-down calendar with a "Now" button, and the empty text
// for no date. A text that does not read as a date and time is never replaced behind the
// user's back: it stays, marked, and the value is null until it is corrected.

#include "platform/core/RegionalSettings.h"
#include "platform/core/WallDateTime.h"

#include <QLineEdit>
#include <memory>

class QToolButton;

namespace pensilio {
class Clock;
class DateTimePattern;
} // namespace pensilio

namespace pensilio::widgets {

class CalendarPopup;

class DateTimeEditor : public QLineEdit
{
    Q_OBJECT

public:
    explicit DateTimeEditor(QWidget *parent = nullptr);
    ~DateTimeEditor() override;

    // Not owned; without one the system clock is read. The clock gives "Now", and the current
    // year for a date typed without a century.
    void setClock(Clock *clock) { m_clock = clock; }
    void setRegionalSettings(const RegionalSettings &settings);
    const RegionalSettings &regionalSettings() const { return m_settings; }

    // The value of the text as it stands, typed or set: null when the text is empty or does not
    // read as a date and time.
    WallDateTime value() const;
    // Shows the value; the null value empties the editor.
    void setValue(WallDateTime value);
    // True for an empty text or one that reads as a date and time.
    bool hasValidText() const;
    QString textFor(WallDateTime value) const;

    bool isCalendarVisible() const;
    CalendarPopup *calendarPopup() const { return m_popup; }

public Q_SLOTS:
    void openCalendar();
    void closeCalendar();
    void setNow();

Q_SIGNALS:
    // When the value changes by a committed edit (Enter, leaving the editor), the calendar or
    // "Now"; not by setValue.
    void valueChanged(pensilio::WallDateTime value);
    // When a typed text that does not read as a date and time is committed; it stays shown.
    void invalidTextEntered(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool read(const QString &text, WallDateTime &out) const;
    void commit();
    void applyChosen(WallDateTime value);
    void chooseDate(const QDate &date);
    void setInvalid(bool invalid);
    Clock &clock() const;

    RegionalSettings m_settings;
    std::unique_ptr<DateTimePattern> m_datePattern;
    std::unique_ptr<DateTimePattern> m_timePattern;
    Clock *m_clock = nullptr;
    WallDateTime m_value;
    bool m_edited = false;
    bool m_invalid = false;
    QToolButton *m_button = nullptr;
    CalendarPopup *m_popup = nullptr; // a child: lives as long as the editor
};

} // namespace pensilio::widgets

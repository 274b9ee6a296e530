#pragma once
// The drop-down of the date-and-time editor: a month calendar with one button below it that
// asks for the current date and time.

#include <QFrame>

class QCalendarWidget;
class QDate;
class QPushButton;

namespace pensilio::widgets {

class CalendarPopup : public QFrame
{
    Q_OBJECT

public:
    explicit CalendarPopup(QWidget *parent = nullptr);

    QCalendarWidget *calendar() const { return m_calendar; }
    QPushButton *nowButton() const { return m_now; }

Q_SIGNALS:
    void dateChosen(const QDate &date);
    void nowRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QCalendarWidget *m_calendar = nullptr;
    QPushButton *m_now = nullptr;
};

} // namespace pensilio::widgets

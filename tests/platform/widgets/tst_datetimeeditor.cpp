// The date-and-time editor: "Now" from the injected clock, the calendar, emptying, typed text
// under two regional settings and what becomes of a text that does not read as a date.

#include "platform/widgets/CalendarPopup.h"
#include "platform/widgets/DateTimeEditor.h"
#include "support/ManualClock.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using pensilio::RegionalSettings;
using pensilio::WallDateTime;
using pensilio::testing::ManualClock;
using pensilio::widgets::DateTimeEditor;

Q_DECLARE_METATYPE(pensilio::RegionalSettings)

namespace {

RegionalSettings italian()
{
    return {};
} // dd/MM/yyyy HH:mm:ss

RegionalSettings american()
{
    RegionalSettings s;
    s.shortDateFormat = QStringLiteral("M/d/yyyy");
    s.longTimeFormat = QStringLiteral("h:mm:ss AP");
    s.decimalSeparator = QLatin1Char('.');
    return s;
}

QString show(WallDateTime v)
{
    if (v.isNull())
        return QStringLiteral("null");
    const auto p = v.parts();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d.%03d", p.year, p.month, p.day, p.hour,
                             p.minute, p.second, p.msec);
}

} // namespace

class tst_DateTimeEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void nowButtonSetsClockTime();
    void calendarDateKeepsTimeOfDay();
    void emptyingGivesNull();
    void typedTextRoundTrips_data();
    void typedTextRoundTrips();
    void unreadableTextIsKeptAndReported();

private:
    ManualClock m_clock{WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 250)};
    QWidget *m_window = nullptr;
    DateTimeEditor *m_editor = nullptr;
    QPushButton *m_default = nullptr;
};

void tst_DateTimeEditor::init()
{
    m_window = new QWidget;
    m_editor = new DateTimeEditor(m_window);
    m_editor->setClock(&m_clock);
    m_editor->setRegionalSettings(italian());
    m_editor->setAccessibleName(QStringLiteral("Data/Ora"));
    m_default = new QPushButton(QStringLiteral("OK"), m_window);
    m_default->setDefault(true);
    auto *layout = new QVBoxLayout(m_window);
    layout->addWidget(m_editor);
    layout->addWidget(m_default);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    m_editor->setFocus();
}

void tst_DateTimeEditor::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void tst_DateTimeEditor::nowButtonSetsClockTime()
{
    m_editor->setValue(WallDateTime::fromParts(1899, 12, 30));
    QSignalSpy changed(m_editor, &DateTimeEditor::valueChanged);
    QTest::keyClick(m_editor, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(m_editor->isCalendarVisible());
    QPushButton *now = m_editor->calendarPopup()->nowButton();
    QCOMPARE(now->text(), QStringLiteral("Now"));
    // The only button of the drop-down.
    QCOMPARE(m_editor->calendarPopup()->findChildren<QPushButton *>().size(), 1);

    QTest::mouseClick(now, Qt::LeftButton);
    QCOMPARE(show(m_editor->value()), QStringLiteral("2025-12-09 19:07:33.250"));
    QCOMPARE(m_editor->text(), QStringLiteral("09/12/2025 19:07:33"));
    QCOMPARE(changed.size(), 1);
    QVERIFY(!m_editor->isCalendarVisible());
}

void tst_DateTimeEditor::calendarDateKeepsTimeOfDay()
{
    m_editor->setValue(WallDateTime::fromParts(2025, 3, 10, 8, 30, 0, 5));
    QTest::keyClick(m_editor, Qt::Key_F4);
    QTRY_VERIFY(m_editor->isCalendarVisible());
    QCalendarWidget *calendar = m_editor->calendarPopup()->calendar();
    QCOMPARE(calendar->selectedDate(), QDate(2025, 3, 10));
    // The calendar has the keyboard: a day to the right, then Enter.
    QWidget *keys = QApplication::focusWidget();
    QVERIFY(keys && calendar->isAncestorOf(keys));
    QTest::keyClick(keys, Qt::Key_Right);
    QTest::keyClick(keys, Qt::Key_Return);
    QCOMPARE(show(m_editor->value()), QStringLiteral("2025-03-11 08:30:00.005"));
    QVERIFY(!m_editor->isCalendarVisible());

    // Escape leaves the value alone.
    QTest::keyClick(m_editor, Qt::Key_F4);
    QTRY_VERIFY(m_editor->isCalendarVisible());
    QTest::keyClick(m_editor->calendarPopup(), Qt::Key_Escape);
    QVERIFY(!m_editor->isCalendarVisible());
    QCOMPARE(show(m_editor->value()), QStringLiteral("2025-03-11 08:30:00.005"));
}

void tst_DateTimeEditor::emptyingGivesNull()
{
    m_editor->setValue(m_clock.now());
    QSignalSpy changed(m_editor, &DateTimeEditor::valueChanged);
    QTest::keyClick(m_editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_editor, Qt::Key_Delete);
    QCOMPARE(m_editor->text(), QString());
    QVERIFY(m_editor->value().isNull());
    QVERIFY(m_editor->hasValidText());
    m_default->setFocus();
    QCOMPARE(changed.size(), 1);
    QVERIFY(changed.at(0).at(0).value<WallDateTime>().isNull());

    m_editor->setValue(m_clock.now());
    m_editor->setFocus();
    QTest::keyClick(m_editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_editor, Qt::Key_Backspace);
    QVERIFY(m_editor->value().isNull());
}

void tst_DateTimeEditor::typedTextRoundTrips_data()
{
    QTest::addColumn<RegionalSettings>("settings");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("it: full") << italian() << QStringLiteral("25/12/2025 08:05:09")
                              << QStringLiteral("2025-12-25 08:05:09.000")
                              << QStringLiteral("25/12/2025 08:05:09");
    // The time is shown at midnight too, so the editor's text always has the same shape.
    QTest::newRow("it: date alone")
        << italian() << QStringLiteral("1/1/2026") << QStringLiteral("2026-01-01 00:00:00.000")
        << QStringLiteral("01/01/2026 00:00:00");
    // Two-digit years fall in the 100 years around the clock's year (2025).
    QTest::newRow("it: short year")
        << italian() << QStringLiteral("3/2/74 7:1") << QStringLiteral("2074-02-03 07:01:00.000")
        << QStringLiteral("03/02/2074 07:01:00");
    QTest::newRow("us: evening") << american() << QStringLiteral("12/25/2025 8:05:09 PM")
                                 << QStringLiteral("2025-12-25 20:05:09.000")
                                 << QStringLiteral("12/25/2025 8:05:09 PM");
    QTest::newRow("us: month first")
        << american() << QStringLiteral("2/3/2026") << QStringLiteral("2026-02-03 00:00:00.000")
        << QStringLiteral("2/3/2026 12:00:00 AM");
}

void tst_DateTimeEditor::typedTextRoundTrips()
{
    QFETCH(RegionalSettings, settings);
    QFETCH(QString, typed);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    QSignalSpy pressed(m_default, &QPushButton::clicked);
    m_editor->setRegionalSettings(settings);
    m_editor->setValue(WallDateTime());
    QTest::keyClicks(m_editor, typed);
    QCOMPARE(show(m_editor->value()), value); // read before any commit
    QTest::keyClick(m_editor, Qt::Key_Return);
    QCOMPARE(m_editor->text(), shown);
    QCOMPARE(show(m_editor->value()), value);
    QCOMPARE(pressed.size(), 0); // Enter commits the text and presses no button

    // What the editor shows reads back to the same value.
    m_editor->setValue(WallDateTime());
    QTest::keyClicks(m_editor, shown);
    m_default->setFocus();
    QCOMPARE(show(m_editor->value()), value);
    QCOMPARE(m_editor->text(), shown);
}

void tst_DateTimeEditor::unreadableTextIsKeptAndReported()
{
    m_editor->setValue(m_clock.now());
    QSignalSpy invalid(m_editor, &DateTimeEditor::invalidTextEntered);
    QTest::keyClick(m_editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(m_editor, QStringLiteral("31/02/2025"));
    QVERIFY(!m_editor->hasValidText());
    QVERIFY(m_editor->value().isNull());
    QTest::keyClick(m_editor, Qt::Key_Tab);
    QVERIFY(!m_editor->hasFocus());
    QCOMPARE(m_editor->text(), QStringLiteral("31/02/2025"));
    QCOMPARE(invalid.size(), 1);
    QCOMPARE(invalid.at(0).at(0).toString(), QStringLiteral("31/02/2025"));
    QVERIFY(!m_editor->hasValidText());
    QVERIFY(m_editor->value().isNull());
    QCOMPARE(m_editor->toolTip(), QStringLiteral("'31/02/2025' is not a valid date and time"));

    // Corrected, it is a value again and the report is gone.
    m_editor->setFocus();
    QTest::keyClick(m_editor, Qt::Key_Home);
    QTest::keyClick(m_editor, Qt::Key_Delete);
    QTest::keyClick(m_editor, Qt::Key_Delete);
    QTest::keyClicks(m_editor, QStringLiteral("28"));
    QVERIFY(m_editor->hasValidText());
    QTest::keyClick(m_editor, Qt::Key_Return);
    QCOMPARE(m_editor->text(), QStringLiteral("28/02/2025 00:00:00"));
    QCOMPARE(show(m_editor->value()), QStringLiteral("2025-02-28 00:00:00.000"));
    QVERIFY(m_editor->toolTip().isEmpty());
    QCOMPARE(m_editor->accessibleName(), QStringLiteral("Data/Ora"));
}

QTEST_MAIN(tst_DateTimeEditor)
#include "tst_datetimeeditor.moc"

// Reading and writing dates and times as the data file and the displays use them.

#include "platform/core/DateTimeText.h"
#include "platform/core/Error.h"

#include <QLocale>
#include <QTest>

using namespace pensilio;

namespace {

RegionalSettings italian()
{
    return RegionalSettings{}; // dd/MM/yyyy, HH:mm:ss, '/', ':', ','
}

RegionalSettings american()
{
    RegionalSettings s;
    s.shortDateFormat = QStringLiteral("M/d/yyyy");
    s.longTimeFormat = QStringLiteral("h:mm:ss AP");
    s.decimalSeparator = QLatin1Char('.');
    return s;
}

RegionalSettings iso()
{
    RegionalSettings s;
    s.shortDateFormat = QStringLiteral("yyyy-MM-dd");
    s.longTimeFormat = QStringLiteral("HH.mm.ss");
    s.dateSeparator = QLatin1Char('-');
    s.timeSeparator = QLatin1Char('.');
    s.decimalSeparator = QLatin1Char(',');
    s.amMarker = QStringLiteral("vorm.");
    s.pmMarker = QStringLiteral("nachm.");
    return s;
}

QString show(const WallDateTime &v)
{
    if (v.isNull())
        return QStringLiteral("invalid");
    const auto p = v.parts();
    return QStringLiteral("%1-%2-%3 %4:%5:%6.%7")
        .arg(p.year, 4, 10, QLatin1Char('0'))
        .arg(p.month, 2, 10, QLatin1Char('0'))
        .arg(p.day, 2, 10, QLatin1Char('0'))
        .arg(p.hour, 2, 10, QLatin1Char('0'))
        .arg(p.minute, 2, 10, QLatin1Char('0'))
        .arg(p.second, 2, 10, QLatin1Char('0'))
        .arg(p.msec, 3, 10, QLatin1Char('0'));
}

} // namespace

class TestDateTimeText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void reads_data();
    void reads();
    void invalidTextGivesTheExactMessage();
    void writes_data();
    void writes();
    void writtenTextReadsBack();
    void localeFormatsAreWidenedAndLoseTheZone_data();
    void localeFormatsAreWidenedAndLoseTheZone();
    void wallValuesCompareAsIntegers();
};

void TestDateTimeText::reads_data()
{
    QTest::addColumn<RegionalSettings>("settings");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    const RegionalSettings it = italian(), us = american(), ymd = iso();
    // Current year is 2026 throughout: two-digit years run from 1976 to 2075.
    QTest::newRow("dmy date and time")
        << it << QByteArray("09/12/2025 19:07:33") << "2025-12-09 19:07:33.000";
    QTest::newRow("dmy date alone is midnight")
        << it << QByteArray("09/12/2025") << "2025-12-09 00:00:00.000";
    QTest::newRow("single digits")
        << it << QByteArray("9/1/2025 7:05") << "2025-01-09 07:05:00.000";
    QTest::newRow("hours alone") << it << QByteArray("9/1/2025 7") << "2025-01-09 07:00:00.000";
    QTest::newRow("milliseconds after the decimal separator")
        << it << QByteArray("9/1/2025 7:05:03,250") << "2025-01-09 07:05:03.250";
    QTest::newRow("two numbers take the current year")
        << it << QByteArray("9/1") << "2026-01-09 00:00:00.000";
    QTest::newRow("two-digit year inside the window's start")
        << it << QByteArray("1/1/76") << "1976-01-01 00:00:00.000";
    QTest::newRow("two-digit year before the window wraps")
        << it << QByteArray("1/1/75") << "2075-01-01 00:00:00.000";
    QTest::newRow("one-digit year") << it << QByteArray("1/1/5") << "2005-01-01 00:00:00.000";
    QTest::newRow("three-digit year is taken as it is")
        << it << QByteArray("1/1/999") << "0999-01-01 00:00:00.000";
    QTest::newRow("blanks around")
        << it << QByteArray("  9/1/2025   7:05  ") << "2025-01-09 07:05:00.000";
    QTest::newRow("mdy with PM after")
        << us << QByteArray("12/9/2025 7:07:33 PM") << "2025-12-09 19:07:33.000";
    QTest::newRow("mdy with pm before, small letters")
        << us << QByteArray("12/9/2025 pm 7:07") << "2025-12-09 19:07:00.000";
    QTest::newRow("12 AM is midnight")
        << us << QByteArray("12/9/2025 12:00 AM") << "2025-12-09 00:00:00.000";
    QTest::newRow("12 PM is noon")
        << us << QByteArray("12/9/2025 12:30 PM") << "2025-12-09 12:30:00.000";
    QTest::newRow("mdy two numbers are month and day")
        << us << QByteArray("12/9") << "2026-12-09 00:00:00.000";
    QTest::newRow("ymd") << ymd << QByteArray("2025-12-09 19.07.33") << "2025-12-09 19:07:33.000";
    QTest::newRow("ymd two-digit year")
        << ymd << QByteArray("25-12-09") << "2025-12-09 00:00:00.000";
    QTest::newRow("ymd two numbers are month and day")
        << ymd << QByteArray("12-09") << "2026-12-09 00:00:00.000";
    QTest::newRow("regional pm marker")
        << ymd << QByteArray("2025-12-09 7.07 nachm.") << "2025-12-09 19:07:00.000";
    QTest::newRow("leap day") << it << QByteArray("29/02/2024") << "2024-02-29 00:00:00.000";

    const QString bad = QStringLiteral("invalid");
    QTest::newRow("empty") << it << QByteArray("") << bad;
    QTest::newRow("one number") << it << QByteArray("2025") << bad;
    QTest::newRow("no leap day") << it << QByteArray("29/02/2025") << bad;
    QTest::newRow("month 13") << it << QByteArray("01/13/2025") << bad;
    QTest::newRow("hour 24") << it << QByteArray("01/12/2025 24:00") << bad;
    QTest::newRow("minute 60") << it << QByteArray("01/12/2025 10:60") << bad;
    QTest::newRow("milliseconds 1000") << it << QByteArray("01/12/2025 10:00:00,1000") << bad;
    QTest::newRow("13 PM") << us << QByteArray("12/9/2025 13:00 PM") << bad;
    QTest::newRow("something follows") << it << QByteArray("01/12/2025 10:00 x") << bad;
    QTest::newRow("a time without a date") << it << QByteArray("10:00:00") << bad;
    QTest::newRow("month name") << it << QByteArray("1 dicembre 2025") << bad;
    QTest::newRow("wrong separator") << it << QByteArray("01-12-2025") << bad;
    QTest::newRow("marker without a time") << us << QByteArray("12/9/2025 PM") << bad;
    QTest::newRow("enormous number") << it << QByteArray("1/1/99999999999999") << bad;
    QTest::newRow("four-digit year zero") << it << QByteArray("1/1/0000") << bad;
}

void TestDateTimeText::reads()
{
    QFETCH(RegionalSettings, settings);
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    const DateTimeReader reader(settings, 2026);
    WallDateTime value;
    const bool ok = reader.read(text, value);
    QCOMPARE(ok ? show(value) : QStringLiteral("invalid"), expected);
}

void TestDateTimeText::invalidTextGivesTheExactMessage()
{
    const DateTimeReader reader(italian(), 2026);
    try {
        reader.readOrThrow(QByteArray("32/12/2025 \xe8"));
        QFAIL("no error");
    } catch (const Error &e) {
        QCOMPARE(e.message(), QStringLiteral("'32/12/2025 è' is not a valid date and time"));
    }
}

void TestDateTimeText::writes_data()
{
    QTest::addColumn<RegionalSettings>("settings");
    QTest::addColumn<WallDateTime>("value");
    QTest::addColumn<QByteArray>("expected");
    const auto at = [](int h, int m, int s, int ms) {
        return WallDateTime::fromParts(2025, 12, 9, h, m, s, ms);
    };
    QTest::newRow("date and time, milliseconds dropped")
        << italian() << at(19, 7, 33, 250) << QByteArray("09/12/2025 19:07:33");
    QTest::newRow("midnight is the date alone")
        << italian() << at(0, 0, 0, 0) << QByteArray("09/12/2025");
    QTest::newRow("milliseconds past midnight still midnight")
        << italian() << at(0, 0, 0, 999) << QByteArray("09/12/2025");
    QTest::newRow("one second past midnight")
        << italian() << at(0, 0, 1, 0) << QByteArray("09/12/2025 00:00:01");
    QTest::newRow("12-hour clock")
        << american() << at(19, 7, 3, 0) << QByteArray("12/9/2025 7:07:03 PM");
    QTest::newRow("12-hour clock, noon")
        << american() << at(12, 0, 1, 0) << QByteArray("12/9/2025 12:00:01 PM");
    QTest::newRow("12-hour clock, after midnight")
        << american() << at(0, 30, 0, 0) << QByteArray("12/9/2025 12:30:00 AM");
    QTest::newRow("ymd") << iso() << at(8, 5, 0, 0) << QByteArray("2025-12-09 08.05.00");
    QTest::newRow("null") << italian() << WallDateTime() << QByteArray();
}

void TestDateTimeText::writes()
{
    QFETCH(RegionalSettings, settings);
    QFETCH(WallDateTime, value);
    QFETCH(QByteArray, expected);
    QCOMPARE(DateTimeFormatter(settings).format(value), expected);
}

void TestDateTimeText::writtenTextReadsBack()
{
    for (const RegionalSettings &s : {italian(), american(), iso()}) {
        const DateTimeFormatter formatter(s);
        const DateTimeReader reader(s, 2026);
        for (qint64 step = 0; step < 400; ++step) {
            const WallDateTime v =
                WallDateTime::fromParts(1980, 1, 1).addMSecs(step * 86'399'000LL * 37);
            WallDateTime back;
            QVERIFY2(reader.read(formatter.format(v), back), formatter.format(v).constData());
            QCOMPARE(back.raw(), v.raw() - v.parts().msec);
        }
    }
}

void TestDateTimeText::localeFormatsAreWidenedAndLoseTheZone_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QChar>("dateSeparator");
    QTest::addColumn<QChar>("timeSeparator");
    QTest::newRow("Italian") << "it_IT"
                             << "dd/MM/yyyy"
                             << "HH:mm:ss" << QChar(u'/') << QChar(u':');
    QTest::newRow("German") << "de_DE"
                            << "dd.MM.yyyy"
                            << "HH:mm:ss" << QChar(u'.') << QChar(u':');
    QTest::newRow("American") << "en_US"
                              << "M/d/yyyy"
                              << "h:mm:ss AP" << QChar(u'/') << QChar(u':');
}

void TestDateTimeText::localeFormatsAreWidenedAndLoseTheZone()
{
    QFETCH(QString, locale);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QChar, dateSeparator);
    QFETCH(QChar, timeSeparator);
    const RegionalSettings s = RegionalSettings::fromLocale(QLocale(locale));
    QCOMPARE(s.shortDateFormat, date);
    QCOMPARE(s.longTimeFormat, time);
    QCOMPARE(s.dateSeparator, dateSeparator);
    QCOMPARE(s.timeSeparator, timeSeparator);
}

void TestDateTimeText::wallValuesCompareAsIntegers()
{
    // 2025-03-30 02:30 does not exist in Rome's local time; as a wall value it is ordinary.
    const WallDateTime gap = WallDateTime::fromParts(2025, 3, 30, 2, 30);
    QVERIFY(!gap.isNull());
    QVERIFY(WallDateTime::fromParts(2025, 3, 30, 2, 0) < gap);
    QVERIFY(gap < WallDateTime::fromParts(2025, 3, 30, 3, 0));
    QVERIFY(WallDateTime() < WallDateTime::fromParts(1, 1, 1));
    QCOMPARE(gap.parts().hour, 2);
    QCOMPARE(WallDateTime::fromParts(1, 1, 1).raw(), 0);
}

QTEST_GUILESS_MAIN(TestDateTimeText)
#include "tst_datetimetext.moc"

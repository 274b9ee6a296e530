// The table's ordering, states, creation numbers, bookmarks, index and errors.

#include "platform/core/Error.h"
#include "support_memotable.h"

#include <QTest>

using namespace pensilio;
using namespace pensilio::memdata;
using pensilio::testing::MemoTable;

namespace {

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.message();
    }
    return QStringLiteral("no error");
}

struct Recorder : TableObserver
{
    QStringList log;
    void tableReset() override { log << QStringLiteral("reset"); }
    void rowInserted(int p) override { log << QStringLiteral("ins %1").arg(p); }
    void rowRemoved(int p, RowId) override { log << QStringLiteral("del %1").arg(p); }
    void rowChanged(int a, int b) override { log << QStringLiteral("chg %1>%2").arg(a).arg(b); }
    void currentChanged(int p) override { log << QStringLiteral("cur %1").arg(p); }
};

} // namespace

class TestTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void postedRowTakesItsPlace_data();
    void postedRowTakesItsPlace();
    void changedDateMovesTheRow();
    void unchangedDateKeepsThePlaceAmongTies();
    void cancelAndCreationNumbers();
    void refreshPostsOnlyWhatWasSet();
    void editOnEmptyTableAppends();
    void deleteMovesToTheFollowingRow();
    void bookmarksSurviveReordering();
    void bookmarkWhileInsertingIsNone();
    void findByKey();
    void textsAreCutToSizeAndAtZero();
    void fieldByNameIgnoresCase();
    void errorTexts();
    void observersHearChangesAndOneResetAfterSuspension();
    void firstNextWalkEndsOnTheLastRow();
};

void TestTable::postedRowTakesItsPlace_data()
{
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<int>("hour");
    QTest::addColumn<QString>("expected");
    // Stored rows are named by their hour; the new row is N.
    QTest::newRow("between: before its tie") << QList<int>{10, 11, 12} << 11 << "10,N*,11,12";
    QTest::newRow("at the end: behind its tie") << QList<int>{10, 11, 12} << 12 << "10,11,12,N*";
    QTest::newRow("earliest goes first") << QList<int>{10, 11, 12} << 9 << "N*,10,11,12";
    QTest::newRow("latest goes last") << QList<int>{10, 11, 12} << 13 << "10,11,12,N*";
    QTest::newRow("one stored tie: first") << QList<int>{10} << 10 << "N*,10";
    QTest::newRow("all tie: first") << QList<int>{10, 10} << 10 << "N*,10,10";
    QTest::newRow("empty table") << QList<int>{} << 10 << "N*";
}

void TestTable::postedRowTakesItsPlace()
{
    QFETCH(QList<int>, stored);
    QFETCH(int, hour);
    QFETCH(QString, expected);
    MemoTable m;
    for (int h : stored)
        m.add(QByteArray::number(h), h);
    m.add("N", hour);
    QCOMPARE(m.rows(), expected);
}

void TestTable::changedDateMovesTheRow()
{
    MemoTable m;
    m.add("A", 9);
    m.add("B", 10);
    m.add("C", 11);
    m.table.first();
    m.table.edit();
    QCOMPARE(m.table.state(), TableState::Edit);
    m.table.setFieldDateTime(m.dataOra, WallDateTime::fromParts(2025, 12, 9, 23));
    m.table.post();
    QCOMPARE(m.rows(), QStringLiteral("B,C,A*"));
    QCOMPARE(m.table.state(), TableState::Browse);
}

void TestTable::unchangedDateKeepsThePlaceAmongTies()
{
    MemoTable m;
    m.add("A", 10);
    m.add("B", 10); // before its tie: B,A
    m.table.setCurrentPosition(1);
    m.table.edit();
    m.table.setFieldText(m.oggetto, "X");
    m.table.post();
    QCOMPARE(m.rows(), QStringLiteral("B,X*"));
}

void TestTable::cancelAndCreationNumbers()
{
    MemoTable m;
    m.table.append();
    QCOMPARE(m.table.fieldText(m.recId), QByteArray("1"));
    QCOMPARE(m.table.recordCount(), 0);
    m.table.cancel();
    QCOMPARE(m.table.recordCount(), 0);
    QCOMPARE(m.table.currentPosition(), -1);
    m.add("A", 10);
    QCOMPARE(m.table.integer(m.table.rowAt(0), m.recId), 1); // the dropped row's number again
    m.add("B", 11);
    m.table.append();
    m.table.cancel();
    QCOMPARE(m.rows(), QStringLiteral("A,B*")); // the last row is current after a dropped new row
    m.table.first();
    m.table.deleteCurrent();
    m.table.append();
    QCOMPARE(m.table.fieldText(m.recId), QByteArray("3")); // deleting never lowers the counter
    m.table.cancel();
    m.table.first();
    m.table.edit();
    m.table.setFieldText(m.oggetto, "changed");
    m.table.cancel();
    QCOMPARE(m.rows(), QStringLiteral("B*"));
}

void TestTable::refreshPostsOnlyWhatWasSet()
{
    MemoTable m;
    m.add("A", 10);
    m.table.edit();
    m.table.refresh(); // nothing set: dropped
    QCOMPARE(m.table.state(), TableState::Browse);
    m.table.edit();
    m.table.setFieldText(m.oggetto, "B");
    m.table.refresh();
    QCOMPARE(m.rows(), QStringLiteral("B*"));
    m.table.append(); // a new row always counts as set: its defaults were set
    m.table.refresh();
    QCOMPARE(m.table.recordCount(), 2);
}

void TestTable::editOnEmptyTableAppends()
{
    MemoTable m;
    m.table.edit();
    QCOMPARE(m.table.state(), TableState::Insert);
    m.table.edit(); // nothing in the insert state
    QCOMPARE(m.table.state(), TableState::Insert);
    m.table.post();
    QCOMPARE(m.table.recordCount(), 1);
    m.table.post(); // nothing in the browse state
    QCOMPARE(m.table.recordCount(), 1);
}

void TestTable::deleteMovesToTheFollowingRow()
{
    MemoTable m;
    m.add("A", 9);
    m.add("B", 10);
    m.add("C", 11);
    m.table.setCurrentPosition(1);
    m.table.deleteCurrent();
    QCOMPARE(m.rows(), QStringLiteral("A,C*"));
    m.table.deleteCurrent();
    QCOMPARE(m.rows(), QStringLiteral("A*"));
    m.table.append();
    m.table.deleteCurrent(); // acts as cancel while inserting
    QCOMPARE(m.rows(), QStringLiteral("A*"));
    m.table.deleteCurrent();
    QCOMPARE(m.rows(), QString());
    QCOMPARE(m.table.currentPosition(), -1);
}

void TestTable::bookmarksSurviveReordering()
{
    MemoTable m;
    m.add("A", 10);
    m.add("B", 11);
    const auto mark = m.table.bookmark();
    QVERIFY(mark.has_value());
    m.add("C", 9);
    m.add("D", 8);
    QCOMPARE(m.rows(), QStringLiteral("D*,C,A,B"));
    m.table.gotoBookmark(mark);
    QCOMPARE(m.rows(), QStringLiteral("D,C,A,B*"));
    m.table.gotoBookmark(std::nullopt); // no handle: nothing happens
    QCOMPARE(m.rows(), QStringLiteral("D,C,A,B*"));
    m.table.deleteCurrent();
    QCOMPARE(errorOf([&] { m.table.gotoBookmark(mark); }), QStringLiteral("Bookmark not found"));
}

void TestTable::bookmarkWhileInsertingIsNone()
{
    MemoTable m;
    m.add("A", 10);
    m.table.append();
    QCOMPARE(m.table.recordCount(), 1);
    QVERIFY(!m.table.bookmark().has_value());
    m.table.gotoBookmark(m.table.bookmark());
    QCOMPARE(m.table.state(), TableState::Insert);
}

void TestTable::findByKey()
{
    MemoTable m;
    m.add("A", 10);
    m.add("B", 11);
    m.table.first();
    m.table.edit();
    m.table.setFieldText(m.numScad, "X2");
    m.table.post();
    QVERIFY(m.table.findKey("X2"));
    QCOMPARE(m.rows(), QStringLiteral("A*,B"));
    QVERIFY(m.table.findKey("251209190733"));
    QCOMPARE(m.rows(), QStringLiteral("A,B*"));
    QVERIFY(!m.table.findKey("X"));  // the whole value must match
    QVERIFY(!m.table.findKey("x2")); // and letter case
    QCOMPARE(m.rows(), QStringLiteral("A,B*"));
}

void TestTable::textsAreCutToSizeAndAtZero()
{
    MemoTable m;
    m.table.append();
    m.table.setFieldText(m.oggetto, QByteArray(60, 'x'));
    QCOMPARE(m.table.fieldText(m.oggetto), QByteArray(50, 'x'));
    m.table.setFieldText(m.note, QByteArray("ab\0cd", 5));
    QCOMPARE(m.table.fieldText(m.note), QByteArray("ab"));
    m.table.post();
    QCOMPARE(m.table.fieldText(m.oggetto), QByteArray(50, 'x'));
    QVERIFY(!m.table.fieldIsNull(m.oggetto));
}

void TestTable::fieldByNameIgnoresCase()
{
    MemoTable m;
    QCOMPARE(m.table.fieldByName(u"numscad"), m.numScad);
    QCOMPARE(m.table.fieldByName(u"Note"), m.note);
}

void TestTable::errorTexts()
{
    MemoTable m;
    QCOMPARE(errorOf([&] { m.table.deleteCurrent(); }),
             QStringLiteral("ScadData: Cannot perform this operation on an empty dataset"));
    QCOMPARE(errorOf([&] { m.table.setFieldText(m.oggetto, "x"); }),
             QStringLiteral("ScadData: Dataset not in edit or insert mode"));
    QCOMPARE(errorOf([&] { m.table.fieldByName(u"Colore"); }),
             QStringLiteral("ScadData: Field 'Colore' not found"));
    m.table.append();
    QCOMPARE(errorOf([&] { m.table.setFieldText(m.dataOra, "31/02/2025"); }),
             QStringLiteral("'31/02/2025' is not a valid date and time"));
}

void TestTable::observersHearChangesAndOneResetAfterSuspension()
{
    MemoTable m;
    Recorder r;
    m.table.addObserver(&r);
    m.add("A", 10);
    m.add("B", 9);
    m.table.setCurrentPosition(1);
    m.table.deleteCurrent();
    QCOMPARE(r.log.join(QLatin1Char(';')),
             QStringLiteral("ins 0;cur 0;ins 0;cur 0;cur 1;del 1;cur 0"));
    r.log.clear();
    {
        Table::UpdateGuard guard(m.table);
        m.add("C", 11);
        m.add("D", 12);
    }
    QCOMPARE(r.log, QStringList{QStringLiteral("reset")});
    m.table.removeObserver(&r);
}

void TestTable::firstNextWalkEndsOnTheLastRow()
{
    MemoTable m;
    m.add("A", 9);
    m.add("B", 10);
    QStringList walked;
    for (m.table.first(); !m.table.eof(); m.table.next())
        walked << QString::fromLatin1(m.table.fieldText(m.oggetto));
    QCOMPARE(walked.join(QLatin1Char(',')), QStringLiteral("A,B"));
    QCOMPARE(m.rows(), QStringLiteral("A,B*"));
}

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"

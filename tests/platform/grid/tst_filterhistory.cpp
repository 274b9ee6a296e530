// The filters and drop-down values a grid view remembers: most recent first, each once, within
// their limits, never the empty filter.

#include "platform/grid/FilterHistory.h"

#include <QtTest>

using namespace pensilio::grid;

namespace {
FilterNode equalsFilter(const QByteArray &value)
{
    return FilterNode::group(
        FilterGroupOperator::And,
        {FilterNode::condition(0, FilterOperator::Equal, {FilterValue::text(value)})});
}

QByteArray valueOf(const FilterNode &filter)
{
    return filter.children().front().condition().values.front().textBytes();
}

QByteArray list(const FilterHistory &history)
{
    QByteArrayList names;
    for (const FilterNode &entry : history.entries())
        names.append(valueOf(entry));
    return names.join(',');
}

QByteArray list(const FilterValueHistory &history)
{
    QByteArrayList names;
    for (const FilterValue &entry : history.entries())
        names.append(entry.textBytes());
    return names.join(',');
}
} // namespace

class TestFilterHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mostRecentFirstAndOnce()
    {
        FilterHistory history;
        for (const char *v : {"A", "B", "C"})
            history.remember(equalsFilter(v));
        QCOMPARE(list(history), QByteArray("C,B,A"));
        history.remember(equalsFilter("A"));
        QCOMPARE(list(history), QByteArray("A,C,B"));
        history.remember(equalsFilter("A"));
        QCOMPARE(list(history), QByteArray("A,C,B"));
    }

    void filtersDifferingInAnyPartAreDistinct()
    {
        FilterHistory history;
        FilterNode lower = equalsFilter("a");
        FilterNode upper = equalsFilter("A");
        FilterNode orGroup = equalsFilter("A");
        orGroup.setGroupOperator(FilterGroupOperator::Or);
        for (const FilterNode &f : {lower, upper, orGroup})
            history.remember(f);
        QCOMPARE(history.entries().size(), size_t(3));
    }

    void keepsTheTenMostRecent()
    {
        FilterHistory history;
        for (int i = 0; i < 12; ++i)
            history.remember(equalsFilter(QByteArray::number(i)));
        QCOMPARE(list(history), QByteArray("11,10,9,8,7,6,5,4,3,2"));
        // An entry about to fall off comes back to the top instead.
        history.remember(equalsFilter("2"));
        QCOMPARE(list(history), QByteArray("2,11,10,9,8,7,6,5,4,3"));
    }

    void neverRemembersAnEmptyFilter()
    {
        FilterHistory history;
        history.remember(FilterNode());
        history.remember(FilterNode::group(FilterGroupOperator::NotOr));
        QVERIFY(history.entries().empty());
        // A bare condition is remembered as the filter it stands for.
        history.remember(equalsFilter("A").children().front());
        QCOMPARE(list(history), QByteArray("A"));
    }

    void panelListsEverythingButTheFilterInForce()
    {
        FilterHistory history;
        for (const char *v : {"A", "B", "C"})
            history.remember(equalsFilter(v));
        const auto others = history.entriesOtherThan(equalsFilter("B"));
        QCOMPARE(others.size(), size_t(2));
        QCOMPARE(valueOf(others[0]), QByteArray("C"));
        QCOMPARE(valueOf(others[1]), QByteArray("A"));
        FilterHistory single;
        single.remember(equalsFilter("A"));
        QVERIFY(single.entriesOtherThan(equalsFilter("A")).empty());
    }

    void valueHistoryKeepsFiveWithLetterCase()
    {
        FilterValueHistory history;
        for (const char *v : {"a", "b", "c", "d", "e", "f"})
            history.remember(FilterValue::text(v));
        QCOMPARE(list(history), QByteArray("f,e,d,c,b"));
        history.remember(FilterValue::text("c"));
        QCOMPARE(list(history), QByteArray("c,f,e,d,b"));
        history.remember(FilterValue::text("C"));
        QCOMPARE(list(history), QByteArray("C,c,f,e,d"));
        // An empty subject is a value worth remembering; the missing value is not.
        history.remember(FilterValue::text(""));
        history.remember(FilterValue());
        QCOMPARE(list(history), QByteArray(",C,c,f,e"));
        QVERIFY(history.entries().front().isText());
    }
};

QTEST_GUILESS_MAIN(TestFilterHistory)
#include "tst_filterhistory.moc"

// Edits the filter drop-down and the custom filter dialog make on one column, whether the custom
// dialog can show a filter, and values typed into the dialogs.

#include "platform/core/DateTimeText.h"
#include "platform/core/Error.h"
#include "platform/grid/FilterCriteria.h"
#include "platform/grid/FilterDescription.h"
#include "platform/grid/StockTexts.h"

#include <QtTest>

using namespace pensilio;
using namespace pensilio::grid;

Q_DECLARE_METATYPE(pensilio::grid::FilterNode)

namespace {
constexpr int kSubject = 0;
constexpr int kNote = 1;

const FilterColumns &columns()
{
    static const FilterColumns set{
        {kSubject, QStringLiteral("Oggetto"), QStringLiteral("Oggetto"), FilterColumnType::Text},
        {kNote, QStringLiteral("Note"), QStringLiteral("note"), FilterColumnType::Text},
        {2, QStringLiteral("DataOra"), QStringLiteral("DataOra"), FilterColumnType::DateTime}};
    return set;
}

FilterValue t(const char *bytes)
{
    return FilterValue::text(QByteArray(bytes));
}

FilterNode c(FilterOperator op, std::vector<FilterValue> values = {}, int column = kSubject)
{
    return FilterNode::condition(column, op, std::move(values));
}

FilterNode g(FilterGroupOperator op, std::vector<FilterNode> children)
{
    return FilterNode::group(op, std::move(children));
}

QString text(const FilterCriteria &criteria)
{
    return describeFilter(criteria.root(), columns());
}
} // namespace

class TestFilterCriteria : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsEmptyAndOff()
    {
        FilterCriteria criteria;
        QVERIFY(criteria.isEmpty());
        QVERIFY(!criteria.isActive());
        QVERIFY(!criteria.filters());
    }

    void replacingAColumnKeepsTheOtherColumns()
    {
        using O = FilterOperator;
        FilterCriteria criteria;
        criteria.setRoot(
            g(FilterGroupOperator::And,
              {c(O::Equal, {t("A")}), c(O::Like, {t("%x%")}, kNote),
               g(FilterGroupOperator::Or, {c(O::Blank), c(O::Equal, {t("B")}, kNote)})}));
        criteria.replaceColumn(kSubject, c(O::Equal, {t("C")}));
        QCOMPARE(text(criteria),
                 QStringLiteral("note contains 'x' and note equals 'B' and Oggetto equals 'C'"));
    }

    void removingAColumnDropsTheGroupsItEmpties()
    {
        using O = FilterOperator;
        FilterCriteria criteria;
        criteria.setActive(true);
        criteria.setRoot(g(FilterGroupOperator::And,
                           {g(FilterGroupOperator::Or, {c(O::Blank), c(O::Equal, {t("B")})}),
                            g(FilterGroupOperator::NotAnd, {})}));
        criteria.removeColumn(kSubject);
        // The group that was empty before stays: only what the removal emptied goes.
        QCOMPARE(criteria.root().children().size(), size_t(1));
        QVERIFY(!criteria.root().hasConditions());
        QVERIFY(!criteria.filters());
        QVERIFY(criteria.isActive()); // "(All)" leaves the switch as it was
        criteria.clear();
        QVERIFY(criteria.isEmpty());
        QVERIFY(!criteria.isActive());
    }

    void aConditionAsRootIsWrapped()
    {
        FilterCriteria criteria;
        criteria.setRoot(c(FilterOperator::Blank));
        QVERIFY(criteria.root().isGroup());
        QCOMPARE(criteria.root().groupOperator(), FilterGroupOperator::And);
        QCOMPARE(criteria.root().children().size(), size_t(1));
    }

    void fitsTheCustomDialog_data()
    {
        QTest::addColumn<FilterNode>("filter");
        QTest::addColumn<bool>("fits");
        using O = FilterOperator;
        using G = FilterGroupOperator;
        const FilterNode a = c(O::Like, {t("A%")});
        const FilterNode b = c(O::Less, {t("M")});
        QTest::newRow("empty") << g(G::And, {}) << true;
        QTest::newRow("one condition") << g(G::And, {a}) << true;
        QTest::newRow("blanks, as the drop-down makes them") << g(G::And, {c(O::Blank)}) << true;
        QTest::newRow("two joined by or") << g(G::And, {g(G::Or, {a, b})}) << true;
        QTest::newRow("one per column") << g(G::And, {a, c(O::Equal, {t("x")}, kNote)}) << true;
        QTest::newRow("root joined by or") << g(G::Or, {a}) << false;
        QTest::newRow("negated root") << g(G::NotAnd, {a}) << false;
        QTest::newRow("column twice") << g(G::And, {a, b}) << false;
        QTest::newRow("three in a group") << g(G::And, {g(G::Or, {a, b, a})}) << false;
        QTest::newRow("negated pair") << g(G::And, {g(G::NotOr, {a, b})}) << false;
        QTest::newRow("pair on two columns")
            << g(G::And, {g(G::Or, {a, c(O::Blank, {}, kNote)})}) << false;
        QTest::newRow("range") << g(G::And, {c(O::Between, {t("A"), t("B")})}) << false;
        QTest::newRow("list") << g(G::And, {c(O::InList, {t("A")})}) << false;
        QTest::newRow("nested pair") << g(G::And, {g(G::Or, {a, g(G::And, {b})})}) << false;
    }

    void fitsTheCustomDialog()
    {
        QFETCH(FilterNode, filter);
        QFETCH(bool, fits);
        FilterCriteria criteria;
        criteria.setRoot(filter);
        QCOMPARE(criteria.fitsCustomDialog(), fits);
    }

    void customDialogStartsFromTheColumnsItem()
    {
        using O = FilterOperator;
        const FilterNode pair = g(FilterGroupOperator::Or, {c(O::Like, {t("A%")}), c(O::NonBlank)});
        FilterCriteria criteria;
        criteria.setRoot(g(FilterGroupOperator::And, {c(O::Equal, {t("x")}, kNote), pair}));
        const auto item = criteria.columnItem(kSubject);
        QVERIFY(item.has_value());
        QVERIFY(*item == pair);
        QVERIFY(!criteria.columnItem(2).has_value());
    }

    void dialogsListOperatorsInOrder()
    {
        resetStockTexts();
        const char *italian[][2] = {{"equals", "e' uguale a"},
                                    {"does not equal", "e' diverso da"},
                                    {"is less than", "e' minore di"},
                                    {"is less than or equal to", "e' minore o uguale a"},
                                    {"is greater than", "e' maggiore di"},
                                    {"is greater than or equal to", "e' maggiore o uguale a"},
                                    {"between", "nel range tra"},
                                    {"not between", "fuori dal range tra"},
                                    {"in", "incluso"},
                                    {"not in", "non incluso"},
                                    {"is blank", "e' vuoto"},
                                    {"is not blank", "non e' vuoto"},
                                    {"is today", "e' oggi"}};
        for (const auto &pair : italian)
            setStockText(QString::fromLatin1(pair[0]), QString::fromLatin1(pair[1]));
        const auto names = [](const std::vector<FilterOperator> &ops) {
            QStringList list;
            for (const FilterOperator op : ops)
                list.append(operatorName(op));
            return list.join(QLatin1Char('|'));
        };
        QCOMPARE(names(customDialogOperators()),
                 QStringLiteral("e' uguale a|e' diverso da|e' minore di|e' minore o uguale a|"
                                "e' maggiore di|e' maggiore o uguale a|like|not like|e' vuoto|"
                                "non e' vuoto"));
        QCOMPARE(names(builderOperators(FilterColumnType::Text)),
                 QStringLiteral("e' uguale a|e' diverso da|e' minore di|e' minore o uguale a|"
                                "e' maggiore di|e' maggiore o uguale a|like|not like|"
                                "nel range tra|fuori dal range tra|incluso|non incluso|e' vuoto|"
                                "non e' vuoto"));
        const auto dates = builderOperators(FilterColumnType::DateTime);
        QCOMPARE(dates.size(), size_t(24));
        for (const FilterOperator op : dates)
            QVERIFY(operatorAppliesTo(op, FilterColumnType::DateTime));
        resetStockTexts();
    }

    void typedValues_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("reads");
        QTest::newRow("text") << kSubject << QStringLiteral("Citt\u00E0 %") << true
                              << QStringLiteral("Citt\u00E0 %");
        QTest::newRow("euro sign is in the code page")
            << kSubject << QStringLiteral("\u20AC 5") << true << QStringLiteral("\u20AC 5");
        QTest::newRow("nothing typed is the empty text")
            << kSubject << QString() << true << QString();
        QTest::newRow("no date typed is the missing value")
            << 2 << QStringLiteral(" ") << true << QStringLiteral("blank");
        QTest::newRow("outside the code page")
            << kSubject << QStringLiteral("\u4E2D") << false << QString();
        QTest::newRow("date") << 2 << QStringLiteral("13/03/2024 09:05") << true
                              << QStringLiteral("13/03/2024 09:05:00");
        QTest::newRow("not a date") << 2 << QStringLiteral("31/02/2024") << false << QString();
    }

    void typedValues()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(bool, valid);
        QFETCH(QString, reads);
        resetStockTexts();
        setStockText(QStringLiteral("Invalid value"), QStringLiteral("Valore non valido"));
        const RegionalSettings settings;
        const DateTimeReader reader(settings, 2024);
        const DateTimeFormatter formatter(settings);
        try {
            const FilterValue value =
                FilterValue::fromUserText(columns().byId(column)->type, typed, &reader);
            QVERIFY2(valid, "an invalid value was taken");
            QCOMPARE(value.displayText(&formatter), reads);
            QCOMPARE(value.isNull(), reads == QStringLiteral("blank"));
        } catch (const Error &error) {
            QVERIFY2(!valid, qPrintable(error.message()));
            QCOMPARE(error.message(), QStringLiteral("Valore non valido"));
        }
        resetStockTexts();
    }
};

QTEST_GUILESS_MAIN(TestFilterCriteria)
#include "tst_filtercriteria.moc"

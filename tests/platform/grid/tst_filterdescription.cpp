// The filter panel's one-line description and the names of operators, in the stock English
// wording and with Italian texts installed over it.

#include "platform/core/DateTimeText.h"
#include "platform/grid/FilterDescription.h"
#include "platform/grid/StockTexts.h"

#include <QtTest>

using namespace pensilio;
using namespace pensilio::grid;

Q_DECLARE_METATYPE(pensilio::grid::FilterNode)

namespace {
const FilterColumns &columns()
{
    static const FilterColumns set{
        {0, QStringLiteral("Oggetto"), QStringLiteral("Oggetto"), FilterColumnType::Text},
        {1, QStringLiteral("DataOra"), QStringLiteral("Data"), FilterColumnType::DateTime}};
    return set;
}

FilterValue t(const char *bytes)
{
    return FilterValue::text(QByteArray(bytes));
}

FilterNode c(FilterOperator op, std::vector<FilterValue> values = {}, int column = 0)
{
    return FilterNode::condition(column, op, std::move(values));
}

FilterNode g(FilterGroupOperator op, std::vector<FilterNode> children)
{
    return FilterNode::group(op, std::move(children));
}

// The Italian wording of the texts a description uses, as the program installs them.
void installItalian()
{
    const char *pairs[][2] = {
        {"equals", "e' uguale a"},
        {"does not equal", "e' diverso da"},
        {"between", "nel range tra"},
        {"in", "incluso"},
        {"and", "AND"},
        {"or", "OR"},
        {"is blank", "e' vuoto"},
        {"begins with", "comincia con"},
        {"ends with", "finisce con"},
        {"contains", "contiene"},
        {"does not begin with", "non comincia con"},
        {"does not end with", "non finisce con"},
        {"does not contain", "non contiene"},
        {"is today", "e' oggi"},
    };
    for (const auto &pair : pairs)
        setStockText(QString::fromLatin1(pair[0]), QString::fromLatin1(pair[1]));
}
} // namespace

class TestFilterDescription : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetStockTexts(); }
    void cleanupTestCase() { resetStockTexts(); }

    void describesInStockWording_data()
    {
        QTest::addColumn<FilterNode>("filter");
        QTest::addColumn<QString>("expected");
        using O = FilterOperator;
        using G = FilterGroupOperator;
        QTest::newRow("nothing") << g(G::And, {}) << QString();
        QTest::newRow("only empty groups") << g(G::Or, {g(G::NotAnd, {})}) << QString();
        QTest::newRow("one condition")
            << g(G::And, {c(O::Equal, {t("ALFA")})}) << QStringLiteral("Oggetto equals 'ALFA'");
        QTest::newRow("empty text is quoted")
            << g(G::And, {c(O::Equal, {t("")})}) << QStringLiteral("Oggetto equals ''");
        QTest::newRow("missing value")
            << g(G::And, {c(O::Equal, {FilterValue()})}) << QStringLiteral("Oggetto equals blank");
        QTest::newRow("no value") << g(G::And, {c(O::NonBlank)})
                                  << QStringLiteral("Oggetto is not blank");
        QTest::newRow("range") << g(G::And, {c(O::NotBetween, {t("A"), t("M")})})
                               << QStringLiteral("Oggetto not between 'A' and 'M'");
        QTest::newRow("list") << g(G::And, {c(O::InList, {t("A"), FilterValue(), t("B")})})
                              << QStringLiteral("Oggetto in ('A', blank, 'B')");
        QTest::newRow("and, or, nested")
            << g(G::And,
                 {c(O::Less, {t("M")}), g(G::Or, {c(O::Equal, {t("A")}), c(O::Equal, {t("B")})})})
            << QStringLiteral("Oggetto is less than 'M' and (Oggetto equals 'A' or "
                              "Oggetto equals 'B')");
        QTest::newRow("negated root")
            << g(G::NotOr, {c(O::Equal, {t("A")}), c(O::Equal, {t("B")})})
            << QStringLiteral("not (Oggetto equals 'A' or Oggetto equals 'B')");
        QTest::newRow("negated single condition")
            << g(G::And, {g(G::NotAnd, {c(O::Blank)})}) << QStringLiteral("not (Oggetto is blank)");
        QTest::newRow("nested group of one needs no brackets")
            << g(G::And, {g(G::Or, {c(O::Blank)}), c(O::Equal, {t("A")})})
            << QStringLiteral("Oggetto is blank and Oggetto equals 'A'");
        QTest::newRow("date operator")
            << g(G::And, {c(O::Today, {}, 1)}) << QStringLiteral("Data is today");
        QTest::newRow("unknown column keeps its id")
            << g(G::And, {c(O::Blank, {}, 9)}) << QStringLiteral("#9 is blank");
    }

    void describesInStockWording()
    {
        QFETCH(FilterNode, filter);
        QFETCH(QString, expected);
        QCOMPARE(describeFilter(filter, columns()), expected);
    }

    void likePatternsAreNamedByTheirWildcards_data()
    {
        QTest::addColumn<bool>("negated");
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, bool negated, const char *p, const char *e) {
            QTest::newRow(name) << negated << QByteArray(p) << QString::fromLatin1(e);
        };
        row("begins", false, "AL%", "Oggetto comincia con 'AL'");
        row("ends", false, "%FA", "Oggetto finisce con 'FA'");
        row("contains", false, "%LF%", "Oggetto contiene 'LF'");
        row("not begins", true, "AL%", "Oggetto non comincia con 'AL'");
        row("not ends", true, "%FA", "Oggetto non finisce con 'FA'");
        row("not contains", true, "%LF%", "Oggetto non contiene 'LF'");
        row("inner wildcards stay", false, "%A%B_%", "Oggetto contiene 'A%B_'");
        row("two wildcards contain nothing", false, "%%", "Oggetto contiene ''");
        row("wildcard alone is too short", false, "%", "Oggetto like '%'");
        row("wildcard only inside", false, "A%B", "Oggetto like 'A%B'");
        row("underscore ends are no wildcards", true, "_A_", "Oggetto not like '_A_'");
    }

    void likePatternsAreNamedByTheirWildcards()
    {
        QFETCH(bool, negated);
        QFETCH(QByteArray, pattern);
        QFETCH(QString, expected);
        installItalian();
        const FilterCondition condition{0,
                                        negated ? FilterOperator::NotLike : FilterOperator::Like,
                                        {FilterValue::text(pattern)}};
        QCOMPARE(describeCondition(condition, columns()), expected);
    }

    void italianWordsAfterInstallation()
    {
        installItalian();
        using O = FilterOperator;
        const FilterNode filter =
            g(FilterGroupOperator::And,
              {c(O::Between, {t("A"), t("M")}),
               g(FilterGroupOperator::NotOr, {c(O::Blank), c(O::InList, {t("\xC8")})})});
        QCOMPARE(describeFilter(filter, columns()),
                 QStringLiteral("Oggetto nel range tra 'A' AND 'M' AND not (Oggetto e' vuoto OR "
                                "Oggetto incluso ('\u00C8'))"));
        QCOMPARE(operatorName(O::Today), QStringLiteral("e' oggi"));
        QCOMPARE(operatorName(O::LastWeek), QStringLiteral("is last week"));
    }

    void datesReadInTheRegionalFormat()
    {
        const DateTimeFormatter formatter{RegionalSettings{}};
        const auto when = FilterValue::dateTime(WallDateTime::fromParts(2024, 3, 13, 9, 5));
        const FilterCondition condition{1, FilterOperator::GreaterOrEqual, {when}};
        QCOMPARE(describeCondition(condition, columns(), &formatter),
                 QStringLiteral("Data is greater than or equal to 13/03/2024 09:05:00"));
        QCOMPARE(describeCondition(condition, columns()),
                 QStringLiteral("Data is greater than or equal to 2024-03-13 09:05:00.000"));
    }
};

QTEST_GUILESS_MAIN(TestFilterDescription)
#include "tst_filterdescription.moc"

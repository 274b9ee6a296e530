// Which rows a filter lets through: operators on texts and dates, "like" patterns, missing
// values against empty texts, ranges, lists, nested and negated groups, the active flag.

#include "platform/grid/FilterLikePattern.h"
#include "platform/grid/FilterMatcher.h"
#include "platform/grid/FilterTableSource.h"
#include "platform/memdata/Table.h"

#include <QDate>
#include <QTime>
#include <QtTest>
#include <functional>
#include <string>

using namespace pensilio;
using namespace pensilio::grid;

Q_DECLARE_METATYPE(pensilio::grid::FilterNode)

namespace {
constexpr int kSubject = 0;
constexpr int kWhen = 1;

const FilterColumns &columns()
{
    static const FilterColumns set{
        {kSubject, QStringLiteral("Oggetto"), QStringLiteral("Oggetto"), FilterColumnType::Text},
        {kWhen, QStringLiteral("DataOra"), QStringLiteral("DataOra"), FilterColumnType::DateTime}};
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

WallDateTime at(int y, int m, int d, int h = 0, int min = 0, int s = 0, int ms = 0)
{
    return WallDateTime::fromParts(y, m, d, h, min, s, ms);
}

// Rows named by what a test expects to see: a missing subject reads "~", an empty one "''".
struct Rows final : FilterRowSource
{
    struct Row
    {
        QString name;
        std::optional<QByteArray> subject;
        std::optional<qint64> when;
    };
    std::vector<Row> rows;

    std::optional<std::string_view> text(qint64 row, int) const override
    {
        const auto &subject = rows[static_cast<size_t>(row)].subject;
        if (!subject)
            return std::nullopt;
        return std::string_view(subject->constData(), static_cast<size_t>(subject->size()));
    }
    std::optional<qint64> dateTime(qint64 row, int) const override
    {
        return rows[static_cast<size_t>(row)].when;
    }

    QString matching(const FilterMatcher &matcher) const
    {
        QStringList names;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (matcher.matches(*this, static_cast<qint64>(i)))
                names.append(rows[i].name);
        }
        return names.join(QLatin1Char(','));
    }
};

const Rows &subjects()
{
    static const Rows fixture = [] {
        Rows r;
        for (const char *s : {"ALFA", "alfa", "ALFABETO", "BETA", "ALFA BETA", "zeta",
                              "\xC8"
                              "CCO"})
            r.rows.push_back({QString::fromLatin1(s), QByteArray(s), std::nullopt});
        r.rows.push_back({QStringLiteral("''"), QByteArray(""), std::nullopt});
        r.rows.push_back({QStringLiteral("~"), std::nullopt, std::nullopt});
        return r;
    }();
    return fixture;
}

// Wednesday 13 March 2024, mid-morning.
const WallDateTime kNow = at(2024, 3, 13, 10, 30);

const Rows &dates()
{
    static const Rows fixture = [] {
        Rows r;
        const auto add = [&](const char *name, WallDateTime when) {
            r.rows.push_back({QString::fromLatin1(name), std::nullopt, when.raw()});
        };
        add("2023-12-31", at(2023, 12, 31, 23, 59, 59, 999));
        add("2024-02-29", at(2024, 2, 29, 12));
        add("2024-03-03", at(2024, 3, 3, 9)); // Sunday before last week
        add("2024-03-04", at(2024, 3, 4));    // Monday of last week
        add("2024-03-10", at(2024, 3, 10, 23, 59, 59, 999));
        add("2024-03-11", at(2024, 3, 11));
        add("2024-03-12", at(2024, 3, 12, 23, 59, 59, 999));
        add("2024-03-13", at(2024, 3, 13));
        add("2024-03-14", at(2024, 3, 14, 12));
        add("2024-03-18", at(2024, 3, 18, 8));
        add("2024-04-01", at(2024, 4, 1));
        add("2025-01-01", at(2025, 1, 1));
        r.rows.push_back({QStringLiteral("~"), std::nullopt, std::nullopt});
        return r;
    }();
    return fixture;
}
} // namespace

class TestFilterEvaluation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void likePattern_data()
    {
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<QByteArray>("subject");
        QTest::addColumn<bool>("matches");
        const auto row = [](const char *name, const char *p, const char *s, bool m) {
            QTest::newRow(name) << QByteArray(p) << QByteArray(s) << m;
        };
        row("exact", "ALFA", "ALFA", true);
        row("exact is whole subject", "ALFA", "ALFAX", false);
        row("letter case counts", "ALFA", "Alfa", false);
        row("percent matches nothing", "AL%FA", "ALFA", true);
        row("percent at both ends", "%FA%", "ALFABETO", true);
        row("percent at both ends, absent", "%FX%", "ALFABETO", false);
        row("percent alone matches empty", "%", "", true);
        row("empty pattern only empty", "", "", true);
        row("empty pattern, text", "", "A", false);
        row("underscore is one byte", "A_FA", "ALFA", true);
        row("underscore is not none", "A_LFA", "ALFA", false);
        row("underscore is not two", "A_A", "ALFA", false);
        row("underscores count bytes", "____",
            "\xC8"
            "CCO",
            true);
        row("middle runs in order", "%A%B%C%", "xAyBzC", true);
        row("middle runs out of order", "%A%B%C%", "xCyBzA", false);
        row("head and tail must not overlap", "AB%BA", "ABA", false);
        row("tail anchored at end", "%AB", "ABAB", true);
        row("tail anchored, not found at end", "%AB", "ABABA", false);
        row("first fit is not the only fit", "%A_C%", "AXBAYC", true);
        row("underscore run in the middle", "%_B_%", "xxBxx", true);
        row("middle run needs room before tail", "%AB%B", "AB", false);
        row("fixed byte after underscores", "%__C%", "CCxC", true);
        row("false starts before the fit", "%x_y%", "xxzxxay", true);
        row("fixed byte found, no room left", "%C__%", "xxxC", false);
        row("high bytes compare as bytes", "%\xE0%", "citt\xE0", true);
    }

    void likePattern()
    {
        QFETCH(QByteArray, pattern);
        QFETCH(QByteArray, subject);
        QFETCH(bool, matches);
        const FilterLikePattern compiled(std::string_view(pattern.constData(), pattern.size()));
        QCOMPARE(compiled.matches(std::string_view(subject.constData(), subject.size())), matches);
    }

    // Every pattern of up to four symbols against every subject of up to five letters, checked
    // against the textbook backtracking definition.
    void likeAgreesWithBacktracking()
    {
        const std::function<bool(std::string_view, std::string_view)> reference =
            [&](std::string_view p, std::string_view s) -> bool {
            if (p.empty())
                return s.empty();
            if (p[0] == '%')
                return reference(p.substr(1), s) || (!s.empty() && reference(p, s.substr(1)));
            return !s.empty() && (p[0] == '_' || p[0] == s[0]) &&
                   reference(p.substr(1), s.substr(1));
        };
        const auto all = [](std::string_view alphabet, size_t longest) {
            std::vector<std::string> words{std::string()};
            for (size_t from = 0; words.back().size() < longest;) {
                const size_t to = words.size();
                for (size_t i = from; i < to; ++i) {
                    for (const char c : alphabet)
                        words.push_back(words[i] + c);
                }
                from = to;
            }
            return words;
        };
        const auto subjects = all("AB", 5);
        for (const std::string &pattern : all("AB%_", 4)) {
            const FilterLikePattern compiled(pattern);
            for (const std::string &subject : subjects) {
                QVERIFY2(compiled.matches(subject) == reference(pattern, subject),
                         (pattern + " / " + subject).c_str());
            }
        }
    }

    void textConditions_data()
    {
        QTest::addColumn<FilterNode>("filter");
        QTest::addColumn<QString>("expected");
        using O = FilterOperator;
        // Order of texts is by Windows-1252 code: "" < capitals < small letters < accented.
        QTest::newRow("equals") << c(O::Equal, {t("ALFA")}) << QStringLiteral("ALFA");
        QTest::newRow("equals empty text") << c(O::Equal, {t("")}) << QStringLiteral("''");
        QTest::newRow("equals blank") << c(O::Equal, {FilterValue()}) << QStringLiteral("~");
        QTest::newRow("does not equal")
            << c(O::NotEqual, {t("ALFA")})
            << QStringLiteral("alfa,ALFABETO,BETA,ALFA BETA,zeta,\u00C8CCO,'',~");
        QTest::newRow("less than")
            << c(O::Less, {t("BETA")}) << QStringLiteral("ALFA,ALFABETO,ALFA BETA,''");
        QTest::newRow("less or equal empty") << c(O::LessOrEqual, {t("")}) << QStringLiteral("''");
        QTest::newRow("greater than small z")
            << c(O::Greater, {t("zeta")}) << QStringLiteral("\u00C8CCO");
        QTest::newRow("greater or equal small a")
            << c(O::GreaterOrEqual, {t("a")}) << QStringLiteral("alfa,zeta,\u00C8CCO");
        QTest::newRow("less than blank") << c(O::Less, {FilterValue()}) << QString();
        QTest::newRow("like, letter case") << c(O::Like, {t("alfa")}) << QStringLiteral("alfa");
        QTest::newRow("like begins")
            << c(O::Like, {t("ALFA%")}) << QStringLiteral("ALFA,ALFABETO,ALFA BETA");
        QTest::newRow("like ends") << c(O::Like, {t("%BETA")}) << QStringLiteral("BETA,ALFA BETA");
        QTest::newRow("like contains")
            << c(O::Like, {t("%ET%")}) << QStringLiteral("ALFABETO,BETA,ALFA BETA");
        QTest::newRow("like middle") << c(O::Like, {t("A%A")}) << QStringLiteral("ALFA,ALFA BETA");
        QTest::newRow("like four bytes")
            << c(O::Like, {t("____")}) << QStringLiteral("ALFA,alfa,BETA,zeta,\u00C8CCO");
        QTest::newRow("like anything has a value")
            << c(O::Like, {t("%")})
            << QStringLiteral("ALFA,alfa,ALFABETO,BETA,ALFA BETA,zeta,\u00C8CCO,''");
        QTest::newRow("not like is the complement")
            << c(O::NotLike, {t("ALFA%")}) << QStringLiteral("alfa,BETA,zeta,\u00C8CCO,'',~");
        QTest::newRow("between") << c(O::Between, {t("ALFA"), t("BETA")})
                                 << QStringLiteral("ALFA,ALFABETO,BETA,ALFA BETA");
        QTest::newRow("between, bounds reversed") << c(O::Between, {t("BETA"), t("ALFA")})
                                                  << QStringLiteral("ALFA,ALFABETO,BETA,ALFA BETA");
        QTest::newRow("not between") << c(O::NotBetween, {t("ALFA"), t("BETA")})
                                     << QStringLiteral("alfa,zeta,\u00C8CCO,'',~");
        QTest::newRow("between a blank bound")
            << c(O::Between, {t("A"), FilterValue()}) << QString();
        QTest::newRow("in") << c(O::InList, {t("zeta"), t("BETA"), t("nothing")})
                            << QStringLiteral("BETA,zeta");
        QTest::newRow("in with blank")
            << c(O::InList, {t(""), FilterValue()}) << QStringLiteral("'',~");
        QTest::newRow("in an empty list") << c(O::InList, {}) << QString();
        QTest::newRow("not in") << c(O::NotInList,
                                     {t("ALFA"), t("alfa"), t("ALFABETO"), t("ALFA BETA")})
                                << QStringLiteral("BETA,zeta,\u00C8CCO,'',~");
        QTest::newRow("is blank: empty text is a value") << c(O::Blank) << QStringLiteral("~");
        QTest::newRow("is not blank")
            << c(O::NonBlank)
            << QStringLiteral("ALFA,alfa,ALFABETO,BETA,ALFA BETA,zeta,\u00C8CCO,''");
        QTest::newRow("unknown column holds for none") << c(O::NotEqual, {t("x")}, 7) << QString();
        QTest::newRow("date operator on a text column") << c(O::Today) << QString();
        QTest::newRow("value count wrong") << c(O::Between, {t("A")}) << QString();
    }

    void textConditions()
    {
        QFETCH(FilterNode, filter);
        QFETCH(QString, expected);
        const FilterMatcher matcher(g(FilterGroupOperator::And, {filter}), columns());
        QCOMPARE(subjects().matching(matcher), expected);
    }

    void groups_data()
    {
        QTest::addColumn<FilterNode>("filter");
        QTest::addColumn<QString>("expected");
        using O = FilterOperator;
        using G = FilterGroupOperator;
        const FilterNode beginsA = c(O::Like, {t("A%")});
        const FilterNode endsA = c(O::Like, {t("%A")});
        QTest::newRow("and") << g(G::And, {beginsA, endsA}) << QStringLiteral("ALFA,ALFA BETA");
        QTest::newRow("or") << g(G::Or, {c(O::Equal, {t("zeta")}), c(O::Equal, {t("BETA")})})
                            << QStringLiteral("BETA,zeta");
        QTest::newRow("not and") << g(G::NotAnd, {beginsA, endsA})
                                 << QStringLiteral("alfa,ALFABETO,BETA,zeta,\u00C8CCO,'',~");
        QTest::newRow("not or") << g(G::NotOr, {beginsA, endsA})
                                << QStringLiteral("alfa,zeta,\u00C8CCO,'',~");
        QTest::newRow("nested not groups")
            << g(G::And, {c(O::NonBlank), g(G::NotOr, {c(O::Equal, {t("")}),
                                                       g(G::NotAnd, {c(O::Like, {t("%ET%")})})})})
            << QStringLiteral("ALFABETO,BETA,ALFA BETA");
        QTest::newRow("empty group inside or is left out")
            << g(G::Or, {g(G::And, {}), c(O::Equal, {t("ALFA")})}) << QStringLiteral("ALFA");
        QTest::newRow("empty negated group inside and is left out")
            << g(G::And, {g(G::NotOr, {}), c(O::Equal, {t("ALFA")})}) << QStringLiteral("ALFA");
        QTest::newRow("only empty groups pass everything")
            << g(G::NotAnd, {g(G::Or, {})})
            << QStringLiteral("ALFA,alfa,ALFABETO,BETA,ALFA BETA,zeta,\u00C8CCO,'',~");
    }

    void groups()
    {
        QFETCH(FilterNode, filter);
        QFETCH(QString, expected);
        QCOMPARE(subjects().matching(FilterMatcher(filter, columns())), expected);
    }

    void switchedOffFilterPassesEverything()
    {
        FilterCriteria criteria;
        criteria.setRoot(c(FilterOperator::Equal, {t("ALFA")}));
        QVERIFY(!criteria.isActive());
        QVERIFY(FilterMatcher(criteria, columns()).passesEverything());
        criteria.setActive(true);
        const FilterMatcher on(criteria, columns());
        QVERIFY(!on.passesEverything());
        QCOMPARE(subjects().matching(on), QStringLiteral("ALFA"));
    }

    void readsRowsStraightFromTheTable()
    {
        memdata::Table table(QStringLiteral("ScadData"));
        const int when = table.addField({QStringLiteral("DataOra"), memdata::FieldType::DateTime});
        const int subject =
            table.addField({QStringLiteral("Oggetto"), memdata::FieldType::Text, 50});
        table.setSortField(when);
        table.open();
        int hour = 0;
        for (const char *s :
             std::initializer_list<const char *>{"ALFA", "", nullptr, "alfa beta"}) {
            table.append();
            table.setFieldDateTime(when, at(2024, 3, 13, ++hour));
            if (s)
                table.setFieldText(subject, QByteArray(s));
            else
                table.clearField(subject);
            table.post();
        }
        FilterTableSource source(table);
        source.bind(kSubject, subject);
        source.bind(kWhen, when);
        const auto rows = [&](const FilterNode &filter) {
            const FilterMatcher matcher(g(FilterGroupOperator::And, {filter}), columns(),
                                        FilterDateContext{kNow, Qt::Monday});
            QStringList hours;
            for (int i = 0; i < table.recordCount(); ++i) {
                if (matcher.matches(source, table.rowAt(i)))
                    hours.append(
                        QString::number(table.dateTime(table.rowAt(i), when).parts().hour));
            }
            return hours.join(QLatin1Char(','));
        };
        QCOMPARE(rows(c(FilterOperator::Blank)), QStringLiteral("3"));
        QCOMPARE(rows(c(FilterOperator::Equal, {t("")})), QStringLiteral("2"));
        QCOMPARE(rows(c(FilterOperator::Like, {t("%a%")})), QStringLiteral("4"));
        QCOMPARE(rows(c(FilterOperator::Less, {FilterValue::dateTime(at(2024, 3, 13, 3))}, kWhen)),
                 QStringLiteral("1,2"));
        // A column bound to no field reads as missing.
        QCOMPARE(rows(c(FilterOperator::NonBlank, {}, 9)), QString());
    }

    void dateConditions_data()
    {
        QTest::addColumn<FilterNode>("filter");
        QTest::addColumn<QString>("expected");
        using O = FilterOperator;
        const auto d = [](FilterOperator op, std::vector<FilterValue> values = {}) {
            return c(op, std::move(values), kWhen);
        };
        const auto v = [](WallDateTime w) { return FilterValue::dateTime(w); };
        QTest::newRow("is yesterday") << d(O::Yesterday) << QStringLiteral("2024-03-12");
        QTest::newRow("is today") << d(O::Today) << QStringLiteral("2024-03-13");
        QTest::newRow("is tomorrow") << d(O::Tomorrow) << QStringLiteral("2024-03-14");
        QTest::newRow("is last week") << d(O::LastWeek) << QStringLiteral("2024-03-04,2024-03-10");
        QTest::newRow("is this week")
            << d(O::ThisWeek) << QStringLiteral("2024-03-11,2024-03-12,2024-03-13,2024-03-14");
        QTest::newRow("is next week") << d(O::NextWeek) << QStringLiteral("2024-03-18");
        QTest::newRow("is last month") << d(O::LastMonth) << QStringLiteral("2024-02-29");
        QTest::newRow("is this month")
            << d(O::ThisMonth)
            << QStringLiteral("2024-03-03,2024-03-04,2024-03-10,2024-03-11,2024-03-12,2024-03-13,"
                              "2024-03-14,2024-03-18");
        QTest::newRow("is next month") << d(O::NextMonth) << QStringLiteral("2024-04-01");
        QTest::newRow("is last year") << d(O::LastYear) << QStringLiteral("2023-12-31");
        QTest::newRow("is next year") << d(O::NextYear) << QStringLiteral("2025-01-01");
        QTest::newRow("equals to the millisecond")
            << d(O::Equal, {v(at(2024, 3, 12, 23, 59, 59, 999))}) << QStringLiteral("2024-03-12");
        QTest::newRow("less than")
            << d(O::Less, {v(at(2024, 3, 3, 9))}) << QStringLiteral("2023-12-31,2024-02-29");
        QTest::newRow("between inclusive")
            << d(O::Between, {v(at(2024, 3, 14, 12)), v(at(2024, 4, 1))})
            << QStringLiteral("2024-03-14,2024-03-18,2024-04-01");
        QTest::newRow("in") << d(O::InList, {v(at(2025, 1, 1)), FilterValue()})
                            << QStringLiteral("2025-01-01,~");
        QTest::newRow("is blank") << d(O::Blank) << QStringLiteral("~");
        QTest::newRow("text value on a date column") << d(O::Equal, {t("2024-03-13")}) << QString();
        QTest::newRow("like on a date column") << d(O::Like, {t("%")}) << QString();
    }

    void dateConditions()
    {
        QFETCH(FilterNode, filter);
        QFETCH(QString, expected);
        const FilterMatcher matcher(g(FilterGroupOperator::And, {filter}), columns(),
                                    FilterDateContext{kNow, Qt::Monday});
        QCOMPARE(dates().matching(matcher), expected);
    }

    void weekStartsWhereTheRegionSays()
    {
        const FilterNode thisWeek = c(FilterOperator::ThisWeek, {}, kWhen);
        const FilterMatcher matcher(g(FilterGroupOperator::And, {thisWeek}), columns(),
                                    FilterDateContext{kNow, Qt::Sunday});
        QCOMPARE(dates().matching(matcher),
                 QStringLiteral("2024-03-10,2024-03-11,2024-03-12,2024-03-13,2024-03-14"));
    }
};

QTEST_GUILESS_MAIN(TestFilterEvaluation)
#include "tst_filterevaluation.moc"

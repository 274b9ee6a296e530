// Filter files: what a saved filter looks like, that it opens again the same, and that a file
// which cannot be shown as a filter of the grid's columns is refused whole.

#include "platform/core/Error.h"
#include "platform/grid/FilterFile.h"
#include "platform/grid/StockTexts.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace pensilio;
using namespace pensilio::grid;

namespace {
const FilterColumns &columns()
{
    static const FilterColumns set{
        {0, QStringLiteral("Oggetto"), QStringLiteral("Oggetto"), FilterColumnType::Text},
        {5, QStringLiteral("DataOra"), QStringLiteral("Data"), FilterColumnType::DateTime}};
    return set;
}

FilterValue t(const QByteArray &bytes)
{
    return FilterValue::text(bytes);
}
FilterValue d(int y, int m, int day, int h = 0, int min = 0, int s = 0, int ms = 0)
{
    return FilterValue::dateTime(WallDateTime::fromParts(y, m, day, h, min, s, ms));
}

FilterNode c(FilterOperator op, std::vector<FilterValue> values = {}, int column = 0)
{
    return FilterNode::condition(column, op, std::move(values));
}

FilterNode g(FilterGroupOperator op, std::vector<FilterNode> children)
{
    return FilterNode::group(op, std::move(children));
}

// Every operator, every kind of value, and texts that need escaping.
FilterNode everything()
{
    using O = FilterOperator;
    using G = FilterGroupOperator;
    std::vector<FilterNode> dates;
    for (int op = static_cast<int>(O::Yesterday); op <= static_cast<int>(O::NextYear); ++op)
        dates.push_back(c(static_cast<O>(op), {}, 5));
    return g(G::And,
             {c(O::Equal, {t("ALFA")}), c(O::NotEqual, {t("")}), c(O::Less, {FilterValue()}),
              c(O::LessOrEqual, {t("say \"hi\" \\ bye")}),
              c(O::Greater, {t(QByteArray("tab\there\r\n\x7F\x01", 12))}),
              c(O::GreaterOrEqual, {t("citt\xE0 \x80 \xFF")}), c(O::Like, {t("%A_B%")}),
              c(O::NotLike, {t("#not a comment")}),
              g(G::NotOr, {c(O::Between, {t("A"), t("M")}),
                           c(O::NotBetween, {d(2024, 1, 1), d(2024, 12, 31, 23, 59, 59, 999)}, 5),
                           g(G::NotAnd, {c(O::InList, {t("x"), FilterValue(), t("y")}),
                                         c(O::NotInList, {}), c(O::InList, {d(1, 1, 1)}, 5)}),
                           g(G::Or, {})}),
              g(G::Or, dates), c(O::Blank), c(O::NonBlank, {}, 5),
              c(O::Equal, {d(9999, 12, 31, 23, 59, 59, 999)}, 5)});
}

void expectRefused(const QByteArray &content)
{
    try {
        filterfile::read(content, columns());
        QFAIL("the file was taken");
    } catch (const Error &error) {
        QCOMPARE(error.message(), QStringLiteral("Can't build filter from source"));
    }
}

QByteArray nested(int depth)
{
    QByteArray text = "pensilio-filter 1\n";
    for (int i = 0; i < depth; ++i)
        text += "group or\n";
    text += "condition \"Oggetto\" blank\n";
    for (int i = 0; i < depth; ++i)
        text += "end\n";
    return text;
}
} // namespace

class TestFilterFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetStockTexts(); }

    void savedFilterReadsAsText()
    {
        const FilterNode filter =
            g(FilterGroupOperator::And,
              {c(FilterOperator::Like, {t("%ALFA%")}),
               g(FilterGroupOperator::NotOr, {c(FilterOperator::InList, {t("a\"b"), FilterValue()}),
                                              c(FilterOperator::Today, {}, 5)})});
        QCOMPARE(filterfile::write(filter, columns()),
                 QByteArray("pensilio-filter 1\r\n"
                            "group and\r\n"
                            "  condition \"Oggetto\" like \"%ALFA%\"\r\n"
                            "  group not-or\r\n"
                            "    condition \"Oggetto\" in \"a\\\"b\" null\r\n"
                            "    condition \"DataOra\" today\r\n"
                            "  end\r\n"
                            "end\r\n"));
    }

    void savedFilterOpensWithTheSameConditions()
    {
        const FilterNode filter = everything();
        QVERIFY(filter.isValid(columns()));
        const QByteArray content = filterfile::write(filter, columns());
        QVERIFY(filterfile::read(content, columns()) == filter);

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("untitled.flt"));
        filterfile::save(path, filter, columns());
        QVERIFY(filterfile::load(path, columns()) == filter);
    }

    void aConditionAloneIsSavedAsAGroup()
    {
        const FilterNode condition = c(FilterOperator::Blank);
        const FilterNode back =
            filterfile::read(filterfile::write(condition, columns()), columns());
        QVERIFY(back == g(FilterGroupOperator::And, {condition}));
    }

    void readsWhatAPersonMightWrite()
    {
        const QByteArray content = "# made by hand\n"
                                   "\n"
                                   "pensilio-filter   1\n"
                                   "group\tor\r\n"
                                   "     condition \"OGGETTO\"   equals \"x\"  \n"
                                   "  # \"an unbalanced quote in a comment\n"
                                   "  condition \"dataora\" less @2024-03-13T09:05:00.000\n"
                                   "end\n"
                                   "\n";
        const FilterNode expected =
            g(FilterGroupOperator::Or, {c(FilterOperator::Equal, {t("x")}),
                                        c(FilterOperator::Less, {d(2024, 3, 13, 9, 5)}, 5)});
        QVERIFY(filterfile::read(content, columns()) == expected);
    }

    void refusesWhatItCannotShow_data()
    {
        QTest::addColumn<QByteArray>("content");
        const auto row = [](const char *name, const QByteArray &body) {
            QTest::newRow(name) << body;
        };
        const QByteArray head = "pensilio-filter 1\n";
        row("empty", "");
        row("only the header", head);
        row("no header", "group and\nend\n");
        row("later version", "pensilio-filter 2\ngroup and\nend\n");
        row("version in quotes", "pensilio-filter \"1\"\ngroup and\nend\n");
        row("another format", "<?xml version=\"1.0\"?><filter/>");
        row("another column", head + "group and\ncondition \"Note\" blank\nend\n");
        row("column as a bare word", head + "group and\ncondition Oggetto blank\nend\n");
        row("unknown operator", head + "group and\ncondition \"Oggetto\" sounds-like \"x\"\nend\n");
        row("unknown group operator", head + "group xor\nend\n");
        row("date operator on text", head + "group and\ncondition \"Oggetto\" today\nend\n");
        row("like on a date", head + "group and\ncondition \"DataOra\" like \"%\"\nend\n");
        row("text for a date", head + "group and\ncondition \"DataOra\" equals \"x\"\nend\n");
        row("date for a text",
            head + "group and\ncondition \"Oggetto\" equals @2024-01-01T00:00:00.000\nend\n");
        row("missing value", head + "group and\ncondition \"Oggetto\" equals\nend\n");
        row("one bound", head + "group and\ncondition \"Oggetto\" between \"A\"\nend\n");
        row("value where none goes", head + "group and\ncondition \"Oggetto\" blank null\nend\n");
        row("impossible date",
            head + "group and\ncondition \"DataOra\" equals @2023-02-29T00:00:00.000\nend\n");
        row("short date", head + "group and\ncondition \"DataOra\" equals @2023-02-28\nend\n");
        row("unterminated text", head + "group and\ncondition \"Oggetto\" equals \"x\nend\n");
        row("unknown escape", head + "group and\ncondition \"Oggetto\" equals \"\\n\"\nend\n");
        row("half a hex escape", head + "group and\ncondition \"Oggetto\" equals \"\\x4\"\nend\n");
        row("text run into a word", head + "group and\ncondition \"Oggetto\" equals \"x\"y\nend\n");
        row("raw control byte", head + "group and\ncondition \"Oggetto\" equals \"\x01\"\nend\n");
        row("condition outside a group", head + "condition \"Oggetto\" blank\n");
        row("group never ended", head + "group and\ngroup or\nend\n");
        row("end too many", head + "group and\nend\nend\n");
        row("second root", head + "group and\nend\ngroup or\nend\n");
        row("unknown statement", head + "group and\nfilter\nend\n");
        row("binary", QByteArray("\x00\xFF\xFE\x01pensilio", 12));
        row("nesting too deep", nested(filterfile::kMaxDepth + 1));
        row("too large", head + "group and\n" + QByteArray(filterfile::kMaxSize, ' ') + "\nend\n");
    }

    void refusesWhatItCannotShow()
    {
        QFETCH(QByteArray, content);
        expectRefused(content);
    }

    void deepestNestingAllowedReadsBack()
    {
        const FilterNode deepest = filterfile::read(nested(filterfile::kMaxDepth), columns());
        QCOMPARE(deepest.depth(), filterfile::kMaxDepth);
    }

    void refusalIsInTheInstalledWording()
    {
        setStockText(QStringLiteral("Can't build filter from source"), QStringLiteral("Nope"));
        try {
            filterfile::read("damaged", columns());
            QFAIL("the file was taken");
        } catch (const Error &error) {
            QCOMPARE(error.message(), QStringLiteral("Nope"));
        }
    }

    void refusesToSaveWhatCouldNotBeOpened()
    {
        const FilterColumns subjectOnly{columns().all().front()};
        // A condition on a column the file could not name, and nesting the reader refuses.
        QVERIFY_THROWS_EXCEPTION(Error, filterfile::write(everything(), subjectOnly));
        FilterNode deep = c(FilterOperator::Blank);
        for (int i = 0; i <= filterfile::kMaxDepth; ++i)
            deep = g(FilterGroupOperator::And, {deep});
        QVERIFY_THROWS_EXCEPTION(Error, filterfile::write(deep, columns()));
    }

    void fileErrorsNameTheFile()
    {
        QTemporaryDir folder;
        const QString missing = folder.filePath(QStringLiteral("missing.flt"));
        try {
            filterfile::load(missing, columns());
            QFAIL("a missing file was read");
        } catch (const Error &error) {
            QVERIFY2(error.message().startsWith(QStringLiteral("Cannot open file \"")),
                     qPrintable(error.message()));
            QVERIFY(error.message().contains(QStringLiteral("missing.flt")));
        }
        const QString nowhere = folder.filePath(QStringLiteral("no/such/folder/f.flt"));
        try {
            filterfile::save(nowhere, everything(), columns());
            QFAIL("saving into a missing folder succeeded");
        } catch (const Error &error) {
            QVERIFY2(error.message().startsWith(QStringLiteral("Cannot create file \"")),
                     qPrintable(error.message()));
        }
        QVERIFY(!QFile::exists(nowhere));
    }
};

QTEST_GUILESS_MAIN(TestFilterFile)
#include "tst_filterfile.moc"

// The Italian text table and its one-time installation into the grid's stock texts.

#include "i18n/UCXTRANSLATE.h"
#include "platform/grid/StockTexts.h"

#include <QSet>
#include <QtTest>

using namespace pensilio;

class TestUcxTranslate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        grid::resetStockTexts();
        UCXTRANSLATE::initialize();
    }

    void everyRowIsInstalledIgnoringCase()
    {
        int row = 0;
        for (const auto &pair : UCXTRANSLATE::texts()) {
            ++row;
            QVERIFY2(pair.stock && pair.installed, qPrintable(QStringLiteral("row %1").arg(row)));
            const QString stock = QString::fromLatin1(pair.stock);
            const QString installed = QString::fromLatin1(pair.installed);
            // Rows sharing a key all carry one text, so the last installed is each row's own.
            QCOMPARE(grid::stockText(stock), installed);
            QCOMPARE(grid::stockText(stock.toUpper()), installed);
            QCOMPARE(grid::stockText(stock.toLower()), installed);
        }
        QCOMPARE(row, 118);
    }

    void rowsReadLetterForLetter_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<QString>("installed");
        // Rows whose wording is easy to get wrong: accelerators, apostrophes, trailing dots,
        // the blanks inside row 33, the line break of row 89 and the rows kept in English.
        const auto add = [](int row, const char *stock, const char *installed) {
            QTest::addRow("row %d", row)
                << row << QString::fromLatin1(stock) << QString::fromLatin1(installed);
        };
        add(1, "AND", "AND");
        add(4, "NOT OR", "NOT OR");
        add(5, "Filter", "Filtra");
        add(6, "Add &Condition", "Aggiungi una &Condizione");
        add(9, "Clear &All", "Azzera tutto");
        add(11, "applies to the following conditions", "<Sottogruppo>");
        add(13, "<empty>", "<vuoto>");
        add(14, "Can't build filter from source", "Can't build filter from source");
        add(15, "Custom Filter", "Custom Filter");
        add(28, "&Open...", "A&pri...");
        add(31, "Cancel", "Annulla");
        add(33, "Filters (*.flt)|*.flt", "Filters ( *.flt )|*.flt");
        add(34, "equals", "e' uguale a");
        add(42, "between", "nel range tra");
        add(47, "is today", "e' oggi");
        add(49, "is last week", "is last week");
        add(57, "is next year", "is next year");
        add(58, "and", "AND");
        add(63, "is not blank", "non e' vuoto");
        add(69, "does not contain", "non contiene");
        add(71, "(Custom...)", "(Personalizza...)");
        add(73, "(NonBlanks)", "(NonVuoti)");
        add(78, "<No data to display>", "<Nessuna riga da mostrare>");
        add(80, "<Filter is Empty>", "<Nessun filtro>");
        add(83, "Drag a column header here to group by that column",
            "Per raggruppare per una colonna trascinarla qui..");
        add(84, "Customize...", "Filtra...");
        add(89, "Missing an intermediary component!\r\nPlease add a %s component to the form.",
            "Missing an intermediary component!\r\nPlease add a %s component to the form.");
        add(95, "Can't create the export output file", "Can't create the export output file");
        add(101, "Remove from grouping", "Togli questo ragguppamento");
        add(102, "Group By Box", "Visualizza/nascondi il box di raggrupp.");
        add(111, "Footer", "Riga di chiusura a fine griglia (on/off)");
        add(118, "None", "Nessuno");
    }

    void rowsReadLetterForLetter()
    {
        QFETCH(int, row);
        QFETCH(QString, stock);
        QFETCH(QString, installed);
        const auto &pair = UCXTRANSLATE::texts()[static_cast<size_t>(row - 1)];
        QCOMPARE(QString::fromLatin1(pair.stock), stock);
        QCOMPARE(QString::fromLatin1(pair.installed), installed);
        QCOMPARE(grid::stockText(stock), installed);
    }

    void sharedKeysFoldIntoOneEntry()
    {
        // "AND"/"and", "OR"/"or" and the two "None" rows share keys: 118 rows, 113 keys.
        QSet<QString> keys;
        for (const auto &pair : UCXTRANSLATE::texts())
            keys.insert(QString::fromLatin1(pair.stock).toLower());
        QCOMPARE(keys.size(), 113);
        QCOMPARE(grid::stockTextCount(), 113);
        QCOMPARE(grid::stockText(QStringLiteral("and")), QStringLiteral("AND"));
        QCOMPARE(grid::stockText(QStringLiteral("or")), QStringLiteral("OR"));
    }

    void textsOutsideTheTableStayEnglish_data()
    {
        QTest::addColumn<QString>("stock");
        QTest::newRow("calendar button") << QStringLiteral("Now");
        QTest::newRow("editor validation") << QStringLiteral("Invalid Date");
        QTest::newRow("date conversion") << QStringLiteral("Could not convert to date");
    }

    void textsOutsideTheTableStayEnglish()
    {
        QFETCH(QString, stock);
        QCOMPARE(grid::stockText(stock), stock);
    }

    void secondInitializationInstallsNothing()
    {
        grid::setStockText(QStringLiteral("Filter"), QStringLiteral("changed"));
        UCXTRANSLATE::initialize();
        QCOMPARE(grid::stockText(QStringLiteral("Filter")), QStringLiteral("changed"));
        QCOMPARE(grid::stockTextCount(), 113);
        grid::setStockText(QStringLiteral("Filter"), QStringLiteral("Filtra"));
    }
};

QTEST_GUILESS_MAIN(TestUcxTranslate)
#include "tst_ucxtranslate.moc"

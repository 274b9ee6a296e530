// The grid's override table of stock texts: replacement, case-insensitive keys, English fallback.

#include "platform/grid/StockTexts.h"

#include <QtTest>

using namespace pensilio::grid;

class TestStockTexts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { resetStockTexts(); }

    void unknownTextKeepsItsWording()
    {
        QCOMPARE(stockText(QStringLiteral("Now")), QStringLiteral("Now"));
        QCOMPARE(stockTextCount(), 0);
    }

    void lookupIgnoresLetterCase()
    {
        setStockText(QStringLiteral("is blank"), QStringLiteral("e' vuoto"));
        QCOMPARE(stockText(QStringLiteral("is blank")), QStringLiteral("e' vuoto"));
        QCOMPARE(stockText(QStringLiteral("IS BLANK")), QStringLiteral("e' vuoto"));
        QCOMPARE(stockText(QStringLiteral("Is Blank")), QStringLiteral("e' vuoto"));
        // Only the whole wording is a key.
        QCOMPARE(stockText(QStringLiteral("is blank ")), QStringLiteral("is blank "));
    }

    void keysDifferingInCaseShareOneEntry()
    {
        setStockText(QStringLiteral("AND"), QStringLiteral("AND"));
        setStockText(QStringLiteral("and"), QStringLiteral("E"));
        QCOMPARE(stockTextCount(), 1);
        QCOMPARE(stockText(QStringLiteral("And")), QStringLiteral("E"));
        setStockText(QStringLiteral("or"), QStringLiteral("O"));
        QCOMPARE(stockTextCount(), 2);
    }

    void resetEmptiesTheTable()
    {
        setStockText(QStringLiteral("Cancel"), QStringLiteral("Annulla"));
        resetStockTexts();
        QCOMPARE(stockTextCount(), 0);
        QCOMPARE(stockText(QStringLiteral("Cancel")), QStringLiteral("Cancel"));
    }
};

QTEST_GUILESS_MAIN(TestStockTexts)
#include "tst_stocktexts.moc"

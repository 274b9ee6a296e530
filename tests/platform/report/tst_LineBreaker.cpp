// Breaking texts into the lines an element prints.

#include "platform/report/LineBreaker.h"
#include "support_PageText.h"

#include <QTest>

using namespace pensilio;
using namespace pensilio::report;

namespace {
// Every character 1 mm wide, told as a table of advances.
class AdvanceTableMeasurer final : public TextMeasurer
{
public:
    AdvanceTableMeasurer() { m_advances.fill(1.0); }
    double textWidth(const FontSpec &, QByteArrayView text) const override
    {
        return static_cast<double>(text.size());
    }
    double lineHeight(const FontSpec &) const override { return 4.0; }
    const std::array<double, 256> *advances(const FontSpec &) const override { return &m_advances; }

private:
    std::array<double, 256> m_advances{};
};
} // namespace

class tst_LineBreaker : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void breaks_data();
    void breaks();
};

void tst_LineBreaker::breaks_data()
{
    // Every character is 1 mm wide; lines are joined with '|' to compare.
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("lines");

    QTest::newRow("empty text prints no line") << QByteArray() << 10.0 << QString();
    QTest::newRow("fits whole") << QByteArray("one two") << 10.0 << QStringLiteral("one two");
    // "one two " is 8 wide with its blank; "three" would make 13.
    QTest::newRow("word moves whole to the next line")
        << QByteArray("one two three") << 10.0 << QStringLiteral("one two |three");
    // The blank stays with its word, so it counts toward the width.
    QTest::newRow("blank counts toward the width")
        << QByteArray("abcd efghi") << 9.0 << QStringLiteral("abcd |efghi");
    QTest::newRow("hyphen ends a word and stays with it")
        << QByteArray("semi-automatic") << 10.0 << QStringLiteral("semi-|automatic");
    QTest::newRow("carriage returns split, line feeds vanish")
        << QByteArray("first\r\nsecond\rthird") << 20.0 << QStringLiteral("first|second|third");
    QTest::newRow("an empty line between two breaks stays")
        << QByteArray("a\r\rb") << 20.0 << QStringLiteral("a||b");
    QTest::newRow("a final break adds no line")
        << QByteArray("a\r\n") << 20.0 << QStringLiteral("a");
    QTest::newRow("a word wider than the element is cut")
        << QByteArray("abcdefghijkl") << 5.0 << QStringLiteral("abcde|fghij|kl");
    QTest::newRow("the cut word's last piece takes the next words")
        << QByteArray("xy abcdefg h") << 5.0 << QStringLiteral("xy |abcde|fg h");
    QTest::newRow("narrower than one character still ends")
        << QByteArray("abc") << 0.5 << QStringLiteral("a|b|c");
    QTest::newRow("exactly as wide as the element stays whole")
        << QByteArray("abcde") << 5.0 << QStringLiteral("abcde");
    QTest::newRow("unlimited width takes each line whole")
        << QByteArray("a long line of words\rnext") << kUnlimitedWidth
        << QStringLiteral("a long line of words|next");
}

void tst_LineBreaker::breaks()
{
    QFETCH(QByteArray, text);
    QFETCH(double, width);
    QFETCH(QString, lines);
    // Once through the measurer's widths, once through its table of advances, as a real font
    // gives: both ways must break alike.
    const testing::FixedMeasurer measurer(1.0, 4.0);
    const AdvanceTableMeasurer table;
    for (const TextMeasurer *m : {static_cast<const TextMeasurer *>(&measurer),
                                  static_cast<const TextMeasurer *>(&table)}) {
        QStringList got;
        for (const QByteArray &line : breakIntoLines(text, width, FontSpec(), *m))
            got << QString::fromLatin1(line);
        QCOMPARE(got.join(QLatin1Char('|')), lines);
    }
}

QTEST_MAIN(tst_LineBreaker)
#include "tst_LineBreaker.moc"

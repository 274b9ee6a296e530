// Saving prepared pages to a report file and loading them back; damaged files give a message.

#include "platform/core/Error.h"
#include "platform/report/PageStore.h"
#include "platform/report/ReportFile.h"
#include "platform/report/ReportRun.h"
#include "support_PageText.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace pensilio;
using namespace pensilio::report;
using testing::PageText;

namespace {

const QString kCorpus = QStringLiteral(PENSILIO_FIXTURES "/../../fuzz/corpus/reportfile/");

void fillStore(PageStore &store)
{
    ReportTemplate report;
    report.title = QStringLiteral("STAMPA MEMO");
    report.paper = QSizeF(100, 60);
    ReportBand detail;
    detail.height = 10;
    detail.width = 80;
    ReportElement text;
    text.kind = ElementKind::FieldText;
    text.field = QStringLiteral("f");
    text.width = 80;
    text.height = 10;
    text.font.bold = true;
    text.alignment = Alignment::Centre;
    detail.elements.push_back(text);
    ReportElement rule;
    rule.kind = ElementKind::HorizontalLine;
    rule.width = 80;
    rule.height = 2;
    rule.color = QColor(128, 128, 128);
    detail.elements.push_back(rule);
    report.bands.push_back(detail);
    std::vector<std::vector<QByteArray>> rows;
    for (int i = 0; i < 9; ++i)
        rows.push_back({"caff\xe8 " + QByteArray::number(i)});
    testing::RowsSource source({QStringLiteral("F")}, rows);
    const testing::FixedMeasurer measurer;
    store.setTitle(report.title);
    store.setPaperSize(report.paper);
    ReportRun(report, source, measurer, store).run();
}

QStringList allPages(const std::vector<QByteArray> &pages, const PageStyles &styles)
{
    QStringList out;
    for (const QByteArray &page : pages)
        out << PageText::of(page, styles, true).join(QLatin1Char(';'));
    return out;
}

} // namespace

class tst_ReportFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void savedPagesLoadBackUnchanged();
    void filesOfTheFirstVersionStillLoad();
    void damagedFilesGiveAMessage_data();
    void damagedFilesGiveAMessage();
    void savingWhereNoFileCanBeMadeThrows();
};

void tst_ReportFile::savedPagesLoadBackUnchanged()
{
    PageStore store;
    fillStore(store);
    QCOMPARE(store.pageCount(), 3); // four bands of 10 mm on each 40 mm page
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("memo.QRP"));
    reportfile::save(name, store);
    const ReportPages loaded = reportfile::load(name);
    QCOMPARE(loaded.title, QStringLiteral("STAMPA MEMO"));
    QCOMPARE(loaded.paper, QSizeF(100, 60));
    QCOMPARE(loaded.styles.fonts(), store.styles().fonts());
    QCOMPARE(loaded.styles.colors(), store.styles().colors());
    std::vector<QByteArray> original;
    for (int i = 0; i < store.pageCount(); ++i)
        original.push_back(store.page(i));
    QCOMPARE(allPages(loaded.pages, loaded.styles), allPages(original, store.styles()));
}

void tst_ReportFile::filesOfTheFirstVersionStillLoad()
{
    const ReportPages loaded = reportfile::load(kCorpus + QStringLiteral("valid_two_pages.QRP"));
    QCOMPARE(loaded.pages.size(), size_t(2));
    QCOMPARE(loaded.styles.fonts().at(0).family, QStringLiteral("Courier New"));
    QVERIFY(loaded.styles.fonts().at(0).bold && loaded.styles.fonts().at(0).underline);
    QCOMPARE(PageText::of(loaded.pages[0], loaded.styles),
             (QStringList{QStringLiteral("text 10.00,12.65 'PENSILIO - Memo'"),
                          QStringLiteral("line 10.00,26.01-200.76,26.01"),
                          QStringLiteral("text 10.53,40.00 '01/02/2025 \xe8'")}));
    QVERIFY(loaded.pages[1].isEmpty());
}

void tst_ReportFile::damagedFilesGiveAMessage_data()
{
    PageStore store;
    fillStore(store);
    const QByteArray good = reportfile::encode(store);
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QString damaged = QStringLiteral("damaged");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("not a report file");
    QTest::newRow("another kind of file")
        << QByteArray("%PDF-1.4 ...") << QStringLiteral("not a report file");
    QTest::newRow("cut short") << good.left(good.size() - 3) << damaged;
    QByteArray flipped = good;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x40);
    QTest::newRow("a byte changed") << flipped << damaged;
    QByteArray newer = good;
    newer[8] = 2;
    QTest::newRow("a newer version") << newer << QStringLiteral("newer version");
    // These carry a correct checksum over wrong content, as a hostile file would.
    QFile pastEnd(kCorpus + QStringLiteral("text_past_end.QRP"));
    QVERIFY(pastEnd.open(QIODevice::ReadOnly));
    QTest::newRow("a text running past its page") << pastEnd.readAll() << damaged;
    QFile huge(kCorpus + QStringLiteral("huge_page_count.QRP"));
    QVERIFY(huge.open(QIODevice::ReadOnly));
    QTest::newRow("more pages than the file holds") << huge.readAll() << damaged;
}

void tst_ReportFile::damagedFilesGiveAMessage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("bad.QRP"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    try {
        reportfile::load(name);
        QFAIL("a damaged file loaded");
    } catch (const Error &error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        QVERIFY(error.message().contains(name));
    }
}

void tst_ReportFile::savingWhereNoFileCanBeMadeThrows()
{
    PageStore store;
    fillStore(store);
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(
        Error, reportfile::save(dir.filePath(QStringLiteral("no/such/x.QRP")), store));
}

QTEST_MAIN(tst_ReportFile)
#include "tst_ReportFile.moc"

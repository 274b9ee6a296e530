// The run of a banded report: where bands and their texts land, page by page, with exact
// metrics (characters 2 mm wide, lines 4 mm tall) on a small page.

#include "platform/report/PageStore.h"
#include "platform/report/ReportRun.h"
#include "support_PageText.h"

#include <QTest>

using namespace pensilio;
using namespace pensilio::report;
using testing::PageText;

namespace {

// A 100 mm tall page with 10 mm margins: 80 mm usable. The title takes 20 mm, a detail band 10
// mm, so page 1 holds 6 bands and each further page 8.
ReportTemplate smallReport()
{
    ReportTemplate r;
    r.title = QStringLiteral("SMALL");
    r.paper = QSizeF(100, 100);
    ReportBand title;
    title.kind = BandKind::Title;
    title.height = 20;
    title.width = 80;
    ReportElement caption;
    caption.name = QStringLiteral("Caption");
    caption.text = "Title";
    caption.left = 1;
    caption.top = 2;
    caption.height = 4;
    caption.sizing = Sizing::SizedToText;
    title.elements.push_back(caption);
    ReportElement rule;
    rule.kind = ElementKind::HorizontalLine;
    rule.left = 0;
    rule.top = 10;
    rule.width = 85;
    rule.height = 2;
    title.elements.push_back(rule);
    r.bands.push_back(title);

    ReportBand detail;
    detail.kind = BandKind::Detail;
    detail.height = 10;
    detail.width = 80;
    ReportElement subject;
    subject.kind = ElementKind::FieldText;
    subject.field = QStringLiteral("SUBJECT");
    subject.width = 20; // ten characters
    subject.height = 4;
    detail.elements.push_back(subject);
    ReportElement note;
    note.kind = ElementKind::FieldText;
    note.field = QStringLiteral("note");
    note.left = 5;
    note.top = 4;
    note.width = 20;
    note.height = 4;
    note.sizing = Sizing::Stretching;
    detail.elements.push_back(note);
    r.bands.push_back(detail);
    return r;
}

std::vector<std::vector<QByteArray>> rows(int count, const QByteArray &note = "n")
{
    std::vector<std::vector<QByteArray>> out;
    for (int i = 1; i <= count; ++i)
        out.push_back({"s" + QByteArray::number(i), note});
    return out;
}

struct Outcome
{
    PageStore store;
    ReportRun::Outcome result = ReportRun::Outcome::Complete;
    QStringList page(int index) const { return PageText::of(store.page(index), store.styles()); }
    // The subjects of a page, which tell which memos it holds.
    QString subjects(int index) const
    {
        QStringList out;
        for (const QString &line : page(index))
            if (line.contains(QLatin1String(" 's")))
                out << line.section(QLatin1Char('\''), 1, 1);
        return out.join(QLatin1Char(','));
    }
};

void runOver(Outcome &out, std::vector<std::vector<QByteArray>> data,
             const ReportTemplate &report = smallReport())
{
    testing::RowsSource source({QStringLiteral("Subject"), QStringLiteral("Note")},
                               std::move(data));
    const testing::FixedMeasurer measurer;
    ReportRun run(report, source, measurer, out.store);
    out.result = run.run();
}

} // namespace

class tst_ReportRun : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pagesFillToTheBottomMargin_data();
    void pagesFillToTheBottomMargin();
    void titleBandOnlyOnPageOne();
    void noteGrowsItsBandLineByLine();
    void noteContinuesOnTheNextPageWithoutTheOtherFields();
    void noteLongerThanAWholePageSpansPages();
    void fixedTextPrintsOnlyTheLinesThatFit();
    void missingFieldPrintsNothing();
    void emptySourcePrintsTitleAndOneEmptyBand();
    void progressAndTheCurrentRecord();
    void cancelledBeforeARecordStopsTheRun();
};

void tst_ReportRun::pagesFillToTheBottomMargin_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("page one exactly full") << 6 << QStringList{QStringLiteral("s1,s2,s3,s4,s5,s6")};
    QTest::newRow("seventh band opens page two")
        << 7 << QStringList{QStringLiteral("s1,s2,s3,s4,s5,s6"), QStringLiteral("s7")};
    QTest::newRow("further pages hold eight")
        << 15
        << QStringList{QStringLiteral("s1,s2,s3,s4,s5,s6"),
                       QStringLiteral("s7,s8,s9,s10,s11,s12,s13,s14"), QStringLiteral("s15")};
}

void tst_ReportRun::pagesFillToTheBottomMargin()
{
    QFETCH(int, records);
    QFETCH(QStringList, pages);
    Outcome out;
    runOver(out, rows(records));
    QCOMPARE(out.store.pageCount(), pages.size());
    for (int i = 0; i < pages.size(); ++i)
        QCOMPARE(out.subjects(i), pages[i]);
}

void tst_ReportRun::titleBandOnlyOnPageOne()
{
    Outcome out;
    runOver(out, rows(7));
    // The caption is sized to its text (5 characters: 10 mm); the rule runs across its box's
    // middle, past the band's right edge.
    QCOMPARE(out.page(0).mid(0, 2), (QStringList{QStringLiteral("text 11.00,12.00 'Title'"),
                                                 QStringLiteral("line 10.00,21.00-95.00,21.00")}));
    QCOMPARE(out.page(0).at(2), QStringLiteral("text 10.00,30.00 's1'"));
    QCOMPARE(out.page(1), (QStringList{QStringLiteral("text 10.00,10.00 's7'"),
                                       QStringLiteral("text 15.00,14.00 'n'")}));
}

void tst_ReportRun::noteGrowsItsBandLineByLine()
{
    Outcome out;
    // Three lines: one fits the note's box, each further one makes the band 4 mm taller.
    runOver(out, {{"a", "one\r\ntwo\rthree"}, {"b", "x"}});
    QCOMPARE(out.page(0).mid(2), (QStringList{QStringLiteral("text 10.00,30.00 'a'"),
                                              QStringLiteral("text 15.00,34.00 'one'"),
                                              QStringLiteral("text 15.00,38.00 'two'"),
                                              QStringLiteral("text 15.00,42.00 'three'"),
                                              QStringLiteral("text 10.00,48.00 'b'"),
                                              QStringLiteral("text 15.00,52.00 'x'")}));
    // The band's background covers its grown height, so no earlier fill shows through.
    QVERIFY(PageText::of(out.store.page(0), out.store.styles(), true)
                .contains(QStringLiteral("fill 10.00,30.00 80.00x18.00")));
}

void tst_ReportRun::noteContinuesOnTheNextPageWithoutTheOtherFields()
{
    Outcome out;
    auto data = rows(5);
    // The sixth band starts at 80 mm: its base 10 mm fit, no further line does.
    data.push_back({"long", "l1\rl2\rl3\rl4"});
    data.push_back({"after", "z"});
    runOver(out, data);
    QCOMPARE(out.store.pageCount(), 2);
    QCOMPARE(out.page(0).mid(out.page(0).size() - 2),
             (QStringList{QStringLiteral("text 10.00,80.00 'long'"),
                          QStringLiteral("text 15.00,84.00 'l1'")}));
    // The band goes on at the top with the note alone, at the note's place in the band; it is
    // 10 mm plus two grown lines tall, and the next memo follows below it.
    QCOMPARE(out.page(1), (QStringList{QStringLiteral("text 15.00,14.00 'l2'"),
                                       QStringLiteral("text 15.00,18.00 'l3'"),
                                       QStringLiteral("text 15.00,22.00 'l4'"),
                                       QStringLiteral("text 10.00,28.00 'after'"),
                                       QStringLiteral("text 15.00,32.00 'z'")}));
}

void tst_ReportRun::noteLongerThanAWholePageSpansPages()
{
    QByteArrayList parts;
    for (int i = 1; i <= 40; ++i)
        parts << "l" + QByteArray::number(i);
    Outcome out;
    runOver(out, {{"big", parts.join('\r')}});
    // Page 1: 60 mm below the title hold the base line and 12 grown ones; page 2: 80 mm hold
    // 1 + 17; the 9 left go to page 3.
    QCOMPARE(out.store.pageCount(), 3);
    QCOMPARE(out.page(0).size(), 2 + 1 + 13);
    QCOMPARE(out.page(0).last(), QStringLiteral("text 15.00,82.00 'l13'"));
    QCOMPARE(out.page(1).size(), 18);
    QCOMPARE(out.page(1).first(), QStringLiteral("text 15.00,14.00 'l14'"));
    QCOMPARE(out.page(1).last(), QStringLiteral("text 15.00,82.00 'l31'"));
    QCOMPARE(out.page(2).size(), 9);
    QCOMPARE(out.page(2).last(), QStringLiteral("text 15.00,46.00 'l40'"));
}

void tst_ReportRun::fixedTextPrintsOnlyTheLinesThatFit()
{
    Outcome out;
    // The subject's box is ten characters wide and one line tall: the rest is not printed,
    // and the band does not grow for it.
    runOver(out, {{"abcdefghij klmnop", "n"}, {"next", "m"}});
    QCOMPARE(out.page(0).mid(2), (QStringList{QStringLiteral("text 10.00,30.00 'abcdefghij'"),
                                              QStringLiteral("text 15.00,34.00 'n'"),
                                              QStringLiteral("text 10.00,40.00 'next'"),
                                              QStringLiteral("text 15.00,44.00 'm'")}));
}

void tst_ReportRun::missingFieldPrintsNothing()
{
    ReportTemplate report = smallReport();
    report.bands[1].elements[0].field = QStringLiteral("NoSuchField");
    Outcome out;
    runOver(out, {{"s1", "n1"}}, report);
    QCOMPARE(out.page(0).mid(2), QStringList{QStringLiteral("text 15.00,34.00 'n1'")});
}

void tst_ReportRun::emptySourcePrintsTitleAndOneEmptyBand()
{
    Outcome out;
    runOver(out, {});
    QCOMPARE(out.store.pageCount(), 1);
    const QStringList page = PageText::of(out.store.page(0), out.store.styles(), true);
    QCOMPARE(page.size(), 4); // title fill, caption, rule, empty detail band
    QCOMPARE(page.last(), QStringLiteral("fill 10.00,30.00 80.00x10.00"));
}

void tst_ReportRun::progressAndTheCurrentRecord()
{
    testing::RowsSource source({QStringLiteral("Subject"), QStringLiteral("Note")}, rows(40));
    const testing::FixedMeasurer measurer;
    PageStore store;
    ReportRun run(smallReport(), source, measurer, store);
    QList<int> progress;
    int dispatched = 0;
    run.setBeforeRecord([&] { ++dispatched; });
    run.setProgress([&](int percent) { progress << percent; });
    QList<int> pagesSeen;
    connect(&store, &PageStore::pageAdded, this, [&](int count) { pagesSeen << count; });
    QCOMPARE(run.run(), ReportRun::Outcome::Complete);
    QCOMPARE(dispatched, 40);
    // 40 records: each adds 2.5 %, so the whole percentage changes with every record.
    QCOMPARE(progress.size(), 40);
    QCOMPARE(progress.first(), 2);
    QCOMPARE(progress.last(), 100);
    QVERIFY(std::is_sorted(progress.begin(), progress.end()));
    // Pages reach the store one by one as they are finished, not at the end.
    QCOMPARE(pagesSeen, (QList<int>{1, 2, 3, 4, 5, 6}));
    QVERIFY(source.eof());
}

void tst_ReportRun::cancelledBeforeARecordStopsTheRun()
{
    testing::RowsSource source({QStringLiteral("Subject"), QStringLiteral("Note")}, rows(20));
    const testing::FixedMeasurer measurer;
    PageStore store;
    ReportRun run(smallReport(), source, measurer, store);
    int dispatched = 0;
    run.setBeforeRecord([&] {
        if (++dispatched == 9)
            run.cancel();
    });
    QCOMPARE(run.run(), ReportRun::Outcome::Cancelled);
    // Eight records were placed: page 1 was finished, page 2 never is.
    QCOMPARE(source.position(), 8);
    QCOMPARE(store.pageCount(), 1);
}

QTEST_MAIN(tst_ReportRun)
#include "tst_ReportRun.moc"

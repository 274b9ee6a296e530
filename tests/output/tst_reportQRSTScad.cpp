// The memo report's template and its pages, laid out with the real fonts at screen resolution.

#include "ManualClock.h"
#include "RecordingMessageBoxes.h"
#include "output/ReportTableSource.h"
#include "output/UFQRSTSCAD.h"
#include "platform/memdata/Table.h"
#include "platform/report/FontMeasurer.h"
#include "platform/report/PageRenderer.h"
#include "platform/report/PageStore.h"
#include "platform/report/ReportRun.h"
#include "platform/report/support_PageText.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace pensilio;
using namespace pensilio::report;
using testing::PageText;

namespace {

// The memo table as the data module declares it, with the regional formats of Italy.
struct Memos
{
    Memos()
    {
        using memdata::FieldDef;
        using memdata::FieldType;
        table.addField(FieldDef{QStringLiteral("RecId"), FieldType::AutoIncrement});
        dataOra = table.addField(FieldDef{QStringLiteral("DataOra"), FieldType::DateTime});
        oggetto = table.addField(FieldDef{QStringLiteral("Oggetto"), FieldType::Text, 50});
        note = table.addField(FieldDef{QStringLiteral("note"), FieldType::Text, 1000, 2000});
        table.addField(FieldDef{QStringLiteral("NumScad"), FieldType::Text, 20});
        table.setSortField(dataOra);
        table.setRegionalSettings(RegionalSettings(), &clock);
        table.open();
    }
    void add(WallDateTime when, const QByteArray &subject, const QByteArray &text)
    {
        table.append();
        table.setFieldDateTime(dataOra, when);
        table.setFieldText(oggetto, subject);
        table.setFieldText(note, text);
        table.post();
    }
    void addMany(int count, const QByteArray &text = "una riga")
    {
        for (int i = 0; i < count; ++i)
            add(WallDateTime::fromParts(2025, 1, 1, 8).addMSecs(qint64(i) * 60'000),
                "Memo " + QByteArray::number(i + 1), text);
    }

    testing::ManualClock clock;
    memdata::Table table{QStringLiteral("ScadData")};
    int dataOra = -1, oggetto = -1, note = -1;
};

struct Pages
{
    PageStore store;
    QStringList page(int i) const { return PageText::of(store.page(i), store.styles()); }
    // The y of the text lines of a page, keyed by their text, in mm.
    double yOf(int i, const QString &text) const
    {
        for (const QString &line : page(i))
            if (line.endsWith(QLatin1Char('\'') + text + QLatin1Char('\'')))
                return line.section(QLatin1Char(' '), 1, 1).section(QLatin1Char(','), 1).toDouble();
        return -1;
    }
    int count(int i, const QString &prefix) const
    {
        int n = 0;
        for (const QString &line : page(i))
            n += line.contains(QLatin1String(" '") + prefix) ? 1 : 0;
        return n;
    }
};

void runReport(Memos &memos, Pages &pages)
{
    testing::RecordingMessageBoxes boxes;
    TFFQRSTSCAD form(memos.table, &boxes);
    ReportTableSource source(memos.table);
    const FontMeasurer measurer(96);
    ReportRun(form.QRSTScad, source, measurer, pages.store).run();
}

double lineHeight8()
{
    FontSpec font;
    font.family = QStringLiteral("Courier New");
    font.pointSize = 8;
    return FontMeasurer(96).lineHeight(font);
}

} // namespace

class tst_reportQRSTScad : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void templateHoldsTheDeclaredGeometry();
    void oneLineNotesFillPages_data();
    void oneLineNotesFillPages();
    void emptyNoteKeepsTheBandAtItsHeight();
    void lineBreaksGrowTheBand();
    void noteGoesOnAtTheTopOfTheNextPage();
    void dateTimeTexts_data();
    void dateTimeTexts();
    void fullSubjectFitsOnOneLine();
    void laterPagesCarryNoCaptionsOrLines();
    void runLeavesTheLastMemoCurrent();
    void renderedPageMatchesTheLayoutInMillimetres();
};

void tst_reportQRSTScad::templateHoldsTheDeclaredGeometry()
{
    Memos memos;
    testing::RecordingMessageBoxes boxes;
    TFFQRSTSCAD form(memos.table, &boxes);
    const ReportTemplate &r = form.QRSTScad;
    QCOMPARE(r.title, QStringLiteral("STAMPA MEMO"));
    QCOMPARE(r.paper, QSizeF(210, 297));
    QCOMPARE(r.bands.size(), size_t(2));
    QStringList geometry;
    for (const ReportBand &band : r.bands) {
        geometry << QStringLiteral("%1 %2x%3").arg(band.name).arg(band.width).arg(band.height);
        for (const ReportElement &e : band.elements)
            geometry << QStringLiteral("%1 %2,%3 %4x%5 %6pt%7%8")
                            .arg(e.name)
                            .arg(e.left)
                            .arg(e.top)
                            .arg(e.width)
                            .arg(e.height)
                            .arg(e.font.pointSize)
                            .arg(e.font.bold ? QStringLiteral(" bold") : QString())
                            .arg(e.font.underline ? QStringLiteral(" underlined") : QString());
    }
    // Line elements keep the default font; only their box matters.
    QCOMPARE(geometry, (QStringList{
                           QStringLiteral("QRBand1 189.97x28.31"),
                           QStringLiteral("QRLabel1 0,2.65 190.24x5.03 10pt bold"),
                           QStringLiteral("QRLTipo 0,9.26 200.29x5.03 12pt bold"),
                           QStringLiteral("QRShape2 0,14.82 190.76x2.38 10pt"),
                           QStringLiteral("QRLabel3 0.53,16.93 0x4.5 8pt underlined"),
                           QStringLiteral("QRLabel2 36.51,16.93 0x4.5 8pt"),
                           QStringLiteral("QRLabel11 8.47,22.23 0x4.5 8pt"),
                           QStringLiteral("QRShape1 0,25.93 190.76x2.38 10pt"),
                           QStringLiteral("QRBand2 189.97x9.79"),
                           QStringLiteral("QRDBText1 0.53,0 46.3x4.5 8pt bold underlined"),
                           QStringLiteral("QRDBText2 51.33,0 137.32x4.5 8pt bold underlined"),
                           QStringLiteral("QRDBText18 8.47,4.23 180.71x4.5 8pt"),
                       }));
    QCOMPARE(r.bands[1].elements[2].field, QStringLiteral("Note"));
    QCOMPARE(r.bands[1].elements[2].sizing, Sizing::Stretching);
    QCOMPARE(r.bands[0].elements[1].alignment, Alignment::Centre);
    QCOMPARE(r.bands[0].elements[3].color, QColor(128, 128, 128));
}

void tst_reportQRSTScad::oneLineNotesFillPages_data()
{
    QTest::addColumn<int>("memos");
    QTest::addColumn<QList<int>>("perPage");
    // 28.31 + 25 x 9.79 = 273.06 mm of 277; 28 x 9.79 = 274.12 mm.
    QTest::newRow("one memo") << 1 << QList<int>{1};
    QTest::newRow("page one full") << 25 << QList<int>{25};
    QTest::newRow("the 26th opens page two") << 26 << QList<int>{25, 1};
    QTest::newRow("further pages hold 28") << 82 << QList<int>{25, 28, 28, 1};
}

void tst_reportQRSTScad::oneLineNotesFillPages()
{
    QFETCH(int, memos);
    QFETCH(QList<int>, perPage);
    Memos m;
    m.addMany(memos);
    Pages pages;
    runReport(m, pages);
    QList<int> got;
    for (int i = 0; i < pages.store.pageCount(); ++i)
        got << pages.count(i, QStringLiteral("Memo "));
    QCOMPARE(got, perPage);
}

void tst_reportQRSTScad::emptyNoteKeepsTheBandAtItsHeight()
{
    Memos m;
    m.add(WallDateTime::fromParts(2025, 3, 1, 9), "Solo", QByteArray());
    Pages pages;
    runReport(m, pages);
    QCOMPARE(pages.store.pageCount(), 1);
    const QStringList withFills = PageText::of(pages.store.page(0), pages.store.styles(), true);
    QCOMPARE(withFills.first(), QStringLiteral("fill 10.00,10.00 189.97x28.31"));
    QVERIFY(withFills.contains(QStringLiteral("fill 10.00,38.31 189.97x9.79")));
    QCOMPARE(withFills.filter(QStringLiteral("fill ")).size(), 2);
}

void tst_reportQRSTScad::lineBreaksGrowTheBand()
{
    Memos m;
    m.add(WallDateTime::fromParts(2025, 3, 1, 9), "Primo", "riga uno\r\nriga due\r\nriga tre");
    m.add(WallDateTime::fromParts(2025, 3, 2, 9), "Secondo", "altro");
    Pages pages;
    runReport(m, pages);
    const double lh = lineHeight8();
    const double bandTop = 10 + 28.31;
    QCOMPARE(pages.yOf(0, QStringLiteral("riga uno")), qRound((bandTop + 4.23) * 100) / 100.0);
    QCOMPARE(pages.yOf(0, QStringLiteral("riga tre")),
             qRound((bandTop + 4.23 + 2 * lh) * 100) / 100.0);
    // Two lines past the first make the band two line heights taller.
    QCOMPARE(pages.yOf(0, QStringLiteral("Secondo")),
             qRound((bandTop + 9.79 + 2 * lh) * 100) / 100.0);
}

void tst_reportQRSTScad::noteGoesOnAtTheTopOfTheNextPage()
{
    Memos m;
    m.addMany(24);
    QByteArrayList lines;
    for (int i = 1; i <= 12; ++i)
        lines << "parte " + QByteArray::number(i);
    m.add(WallDateTime::fromParts(2026, 1, 1, 9), "Lunga", lines.join("\r\n"));
    m.add(WallDateTime::fromParts(2026, 1, 2, 9), "Dopo", "fine");
    Pages pages;
    runReport(m, pages);
    QCOMPARE(pages.store.pageCount(), 2);
    // The 25th band starts at 273.06 - 9.79 = 263.27 mm; 23.73 mm are left to 287 mm.
    const double lh = lineHeight8();
    const int extra = int((287 - (10 + 28.31 + 24 * 9.79) - 9.79 + 1e-6) / lh);
    const QStringList page2 = pages.page(1);
    QCOMPARE(page2.first(), QStringLiteral("text 18.47,14.23 'parte %1'").arg(extra + 2));
    QCOMPARE(pages.count(1, QStringLiteral("Lunga")), 0);
    QCOMPARE(pages.count(1, QStringLiteral("01/01/2026")), 0);
    QCOMPARE(pages.count(0, QStringLiteral("parte ")), extra + 1);
    const int left = 12 - (extra + 1);
    QCOMPARE(pages.yOf(1, QStringLiteral("Dopo")),
             qRound((10 + 9.79 + (left - 1) * lh) * 100) / 100.0);
}

void tst_reportQRSTScad::dateTimeTexts_data()
{
    QTest::addColumn<WallDateTime>("when");
    QTest::addColumn<QString>("text");
    QTest::newRow("midnight prints the date alone")
        << WallDateTime::fromParts(2025, 12, 9, 0, 0, 0, 500) << QStringLiteral("09/12/2025");
    QTest::newRow("a minute past midnight")
        << WallDateTime::fromParts(2025, 12, 9, 0, 1, 0) << QStringLiteral("09/12/2025 00:01:00");
    QTest::newRow("afternoon") << WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 250)
                               << QStringLiteral("09/12/2025 19:07:33");
}

void tst_reportQRSTScad::dateTimeTexts()
{
    QFETCH(WallDateTime, when);
    QFETCH(QString, text);
    Memos m;
    m.add(when, "x", "y");
    Pages pages;
    runReport(m, pages);
    QCOMPARE(pages.yOf(0, text), 38.31);
}

void tst_reportQRSTScad::fullSubjectFitsOnOneLine()
{
    Memos m;
    const QByteArray subject(50, 'W');
    m.add(WallDateTime::fromParts(2025, 5, 5, 5), subject, "n");
    Pages pages;
    runReport(m, pages);
    QCOMPARE(pages.yOf(0, QString::fromLatin1(subject)), 38.31);
}

void tst_reportQRSTScad::laterPagesCarryNoCaptionsOrLines()
{
    Memos m;
    m.addMany(30);
    Pages pages;
    runReport(m, pages);
    const QStringList page1 = pages.page(0);
    QCOMPARE(page1.filter(QStringLiteral("line ")).size(), 2);
    QVERIFY(page1.contains(QStringLiteral("line 10.00,26.01-200.76,26.01")));
    QVERIFY(page1.contains(QStringLiteral("line 10.00,37.12-200.76,37.12")));
    for (const char *caption : {"'Data/ora'", "'Oggetto'", "'Note'", "'STAMPA MEMO: Totale'",
                                "'PENSILIO - Memo (Versione freeware 1.0)'"}) {
        QCOMPARE(page1.filter(QLatin1String(caption)).size(), 1);
        QCOMPARE(pages.page(1).filter(QLatin1String(caption)).size(), 0);
    }
    QCOMPARE(pages.page(1).filter(QStringLiteral("line ")).size(), 0);
    QCOMPARE(pages.yOf(1, QStringLiteral("Memo 26")), 10.0);
}

void tst_reportQRSTScad::runLeavesTheLastMemoCurrent()
{
    Memos m;
    m.addMany(40);
    m.table.setCurrentPosition(3);
    Pages pages;
    runReport(m, pages);
    QCOMPARE(m.table.currentPosition(), 39);
    QCOMPARE(m.table.fieldText(m.oggetto), QByteArray("Memo 40"));
}

void tst_reportQRSTScad::renderedPageMatchesTheLayoutInMillimetres()
{
    Memos m;
    m.add(WallDateTime::fromParts(2025, 12, 9, 19, 7, 33), "Oggetto di prova", "Nota");
    Pages pages;
    runReport(m, pages);
    constexpr double dpmm = 96 / 25.4;
    QImage image(qRound(210 * dpmm), qRound(297 * dpmm), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QVERIFY(PageRenderer(painter, pages.store.styles(), dpmm).render(pages.store.page(0)));
    }
    const auto ink = [&](int x, int y) { return qGray(image.pixel(x, y)) < 200; };
    // Horizontal extent of the ink between two heights given in mm.
    const auto columns = [&](double topMm, double bottomMm, double fromMm = 0, double toMm = 210) {
        int left = image.width(), right = -1;
        for (int y = qRound(topMm * dpmm); y < qRound(bottomMm * dpmm); ++y)
            for (int x = qRound(fromMm * dpmm); x < qMin(image.width(), qRound(toMm * dpmm)); ++x)
                if (ink(x, y)) {
                    left = qMin(left, x);
                    right = qMax(right, x);
                }
        return std::pair<double, double>(left / dpmm, (right + 1) / dpmm);
    };
    const double pixel = 1 / dpmm;
    const double glyphBearing = 0.5; // the space a glyph keeps before its ink, at most
    // The grey lines: from the left margin 190.76 mm long, at their boxes' middles.
    for (const double y : {10 + 16.01, 10 + 27.12}) {
        const int row = qRound(y * dpmm - 0.5);
        int found = -1;
        for (int dy = -1; dy <= 1 && found < 0; ++dy)
            if (image.pixel(qRound(100 * dpmm), row + dy) == qRgb(128, 128, 128))
                found = row + dy;
        QVERIFY2(found >= 0, qPrintable(QStringLiteral("no grey line near %1 mm").arg(y)));
        const auto [left, right] = columns(found / dpmm, (found + 1) / dpmm);
        QVERIFY(qAbs(left - 10) <= pixel);
        QVERIFY(qAbs(right - 200.76) <= pixel);
    }
    // The title is centred on its 200.29 mm box, 5.15 mm right of the page's middle.
    const auto [titleLeft, titleRight] = columns(10 + 9.26, 10 + 14.29);
    QVERIFY2(qAbs((titleLeft + titleRight) / 2 - (10 + 200.29 / 2)) <= pixel,
             qPrintable(QString::number((titleLeft + titleRight) / 2)));
    const auto [productLeft, productRight] = columns(10 + 2.65, 10 + 7.68);
    QVERIFY(qAbs((productLeft + productRight) / 2 - (10 + 190.24 / 2)) <= pixel);
    // The memo's date at 0.53 mm, its subject at 51.33 mm, the note indented by 8.47 mm.
    const double bandTop = 10 + 28.31;
    const auto [dateLeft, dateRight] = columns(bandTop, bandTop + 3, 0, 60);
    QVERIFY2(dateLeft >= 10.53 - pixel && dateLeft <= 10.53 + glyphBearing + pixel,
             qPrintable(QString::number(dateLeft)));
    QVERIFY(dateRight <= 10 + 0.53 + 46.30);
    const auto [subjectLeft, subjectRight] = columns(bandTop, bandTop + 3, 60);
    QVERIFY2(subjectLeft >= 61.33 - pixel && subjectLeft <= 61.33 + glyphBearing + pixel,
             qPrintable(QString::number(subjectLeft)));
    Q_UNUSED(subjectRight)
    const auto [noteLeft, noteRight] = columns(bandTop + 4.23, bandTop + 7);
    QVERIFY2(noteLeft >= 18.47 - pixel && noteLeft <= 18.47 + glyphBearing + pixel,
             qPrintable(QString::number(noteLeft)));
    Q_UNUSED(noteRight)
    // Nothing is drawn below the band.
    const auto [belowLeft, belowRight] = columns(bandTop + 9.79 + 0.5, 287);
    QCOMPARE(belowRight, 0.0); // no ink: the extent stays empty
    Q_UNUSED(belowLeft)
}

QTEST_MAIN(tst_reportQRSTScad)
#include "tst_reportQRSTScad.moc"

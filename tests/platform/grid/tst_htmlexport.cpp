// The grid's HTML export: whole pages byte for byte on small grids, the cell texts, the style
// records, the cell table's own checks, the exporter's errors and a protected output file.

#include "support_gridmemos.h"

#include "platform/core/Error.h"
#include "platform/grid/HtmlCellStyle.h"
#include "platform/grid/HtmlCellTable.h"
#include "platform/grid/HtmlExport.h"
#include "platform/grid/HtmlViewSource.h"
#include "platform/grid/HtmlWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <map>

using namespace pensilio;
using namespace pensilio::grid;
using pensilio::testing::GridMemos;
using pensilio::testing::memoColumns;

namespace {

constexpr int kGridWidth = 778;
constexpr int kOggetto = 3;

GridStyle style(ColorSpec background, ColorSpec text, const char *family, int pixels, bool bold)
{
    GridStyle s;
    s.background = background;
    s.textColor = text;
    s.fontFamily = QLatin1String(family);
    s.pixelSize = pixels;
    s.bold = bold;
    return s;
}

// The memo grid's styles and switches, with a band caption of its own so the band header row
// shows both an empty and a written caption.
void configure(GridViewModel &model)
{
    const QColor darkBlue(0x00, 0x00, 0x8A);
    GridColumnSet set;
    set.addBand({QString(), 382, BandFixing::Left, Qt::AlignCenter});
    set.addBand({QStringLiteral("Note"), 0, BandFixing::None, Qt::AlignCenter});
    const GridColumnSet memo = memoColumns();
    for (int c = 0; c < memo.columnCount(); ++c) {
        GridColumn column = memo.column(c);
        column.headerAlignment = Qt::AlignHCenter | Qt::AlignTop;
        if (c == 1 || c == kOggetto)
            column.contentStyle = style(QPalette::ToolTipBase, darkBlue, "HE_TERMINAL", 12, false);
        if (c == 4)
            column.contentStyle = style(QPalette::Base, darkBlue, "HE_TERMINAL", 12, false);
        column.headerStyle = style(QPalette::ToolTipBase, darkBlue, "Tahoma", 12, true);
        set.addColumn(column);
    }
    model.setColumns(std::move(set));
    GridViewOptions options;
    options.columnAutoWidth = true;
    options.groupFooters = GroupFooterMode::Always;
    model.setOptions(options);
    GridViewStyles styles;
    styles.header = style(QPalette::Light, QPalette::WindowText, "MS Sans Serif", 11, false);
    styles.indicator = styles.header;
    styles.footer = style(QPalette::Light, QColor(0x00, 0x80, 0x00), "Tahoma", 12, true);
    model.setStyles(std::move(styles));
}

// A desktop scheme with colours of its own, so every colour on the page says where it came from.
QPalette scheme()
{
    QPalette p;
    p.setColor(QPalette::Button, QColor(0xEC, 0xE9, 0xD8));
    p.setColor(QPalette::ButtonText, QColor(0x01, 0x02, 0x03));
    p.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xFE));
    p.setColor(QPalette::Text, QColor(0x04, 0x05, 0x06));
    p.setColor(QPalette::Light, QColor(0xF1, 0xEF, 0xE2));
    p.setColor(QPalette::WindowText, QColor(0x07, 0x08, 0x09));
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::Dark, QColor(0xAC, 0xA8, 0x99));
    return p;
}

HtmlExportLook lookFor(const GridViewModel &model, int width = kGridWidth)
{
    HtmlExportLook look;
    look.layout = GridLayout(model.columns(), width, GridLayout::Fit::FillWidth);
    look.palette = scheme();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    look.font = font;
    look.system = HtmlSystemColors::fromPalette(look.palette);
    return look;
}

// A view grouped by subject, as the grid lists it: each group row, then its memos when it is
// expanded, then its footer row, which the export must not take for a row of its own.
class GroupedSource final : public HtmlViewSource
{
public:
    GroupedSource(GridViewModel &model, int field) : m_model(model), m_inner(model), m_field(field)
    {
        std::map<QByteArray, std::vector<memdata::RowId>> groups;
        for (memdata::RowId row : model.table()->order())
            groups[model.table()->text(row, field).toByteArray()].push_back(row);
        for (auto &[value, rows] : groups)
            m_groups.push_back({value, rows, false});
        relist();
    }
    void setExpanded(int group, bool on)
    {
        m_groups[size_t(group)].expanded = on;
        relist();
    }
    int expandCalls = 0;

    const GridColumnSet &columns() const override { return m_model.columns(); }
    const GridViewOptions &options() const override { return m_model.options(); }
    const GridViewStyles &styles() const override { return m_model.styles(); }
    int rowCount() const override { return int(m_rows.size()); }
    GridRow rowAt(int index) const override { return m_rows[size_t(index)]; }
    int focusedRow() const override { return -1; }
    std::string_view cellText(int index, int column, QByteArray &scratch) const override
    {
        const GridRow r = m_rows[size_t(index)];
        const int field = m_model.columns().fieldOf(column);
        if (r.kind != RowKind::Data || field < 0)
            return {};
        scratch = m_model.table()->displayText(r.row, field);
        return std::string_view(scratch.constData(), size_t(scratch.size()));
    }
    int groupLevelCount() const override { return 1; }
    bool isGroupExpanded(int index) const override
    {
        return m_groups[size_t(m_rows[size_t(index)].group)].expanded;
    }
    void expandAllGroups() override
    {
        ++expandCalls;
        for (Group &g : m_groups)
            g.expanded = true;
        relist();
    }
    int groupColumn(int) const override { return kOggetto; }
    QByteArray groupValueText(int index) const override
    {
        return m_groups[size_t(m_rows[size_t(index)].group)].value;
    }

    // "g:ALFA+,r,f" for the rows as listed, to check the expansion afterwards.
    QString describe() const
    {
        QStringList out;
        for (const GridRow &r : m_rows) {
            if (r.kind == RowKind::Group)
                out << QStringLiteral("g:%1%2").arg(
                    QString::fromLatin1(m_groups[size_t(r.group)].value),
                    m_groups[size_t(r.group)].expanded ? QStringLiteral("-") : QStringLiteral("+"));
            else
                out << (r.kind == RowKind::Data ? QStringLiteral("r") : QStringLiteral("f"));
        }
        return out.join(QLatin1Char(','));
    }

private:
    struct Group
    {
        QByteArray value;
        std::vector<memdata::RowId> rows;
        bool expanded;
    };
    void relist()
    {
        m_rows.clear();
        for (size_t g = 0; g < m_groups.size(); ++g) {
            m_rows.push_back({RowKind::Group, memdata::kNoRow, int(g), 0});
            if (m_groups[g].expanded) {
                for (memdata::RowId row : m_groups[g].rows)
                    m_rows.push_back({RowKind::Data, row, int(g), 1});
            }
            m_rows.push_back({RowKind::GroupFooter, memdata::kNoRow, int(g), 0});
        }
    }

    GridViewModel &m_model;
    GridViewModelHtmlSource m_inner;
    int m_field;
    std::vector<Group> m_groups;
    std::vector<GridRow> m_rows;
};

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The page with its title's path put back to a placeholder, so a fixture holds no temp folder.
QByteArray pageOf(const QString &path)
{
    QByteArray page = readFile(path);
    return page.replace(QFile::encodeName(path), QByteArrayLiteral("@PATH@"));
}

// Compares a page with its fixture; a difference leaves the page beside the test for a look.
void compareWithFixture(const QByteArray &page, const char *name)
{
    const QString fixture = QStringLiteral(PENSILIO_FIXTURES "/html/") + QLatin1String(name);
    const QByteArray expected = readFile(fixture);
    if (page != expected) {
        QFile out(QDir::current().filePath(QLatin1String(name) + QStringLiteral(".actual")));
        if (out.open(QIODevice::WriteOnly))
            out.write(page);
    }
    QVERIFY2(page == expected, name);
}

struct Export
{
    GridMemos memos;
    GridViewModel model;
    QTemporaryDir dir;
    QString path;

    Export()
    {
        configure(model);
        model.setTable(&memos.table);
        path = dir.filePath(QStringLiteral("MemoLst.html"));
    }
    void run(HtmlViewSource &source, int width = kGridWidth)
    {
        ExportGrid grid{true, &source, lookFor(model, width)};
        ExportRequest request;
        request.fileName = path;
        exportGrid(grid, request);
    }
    void run()
    {
        GridViewModelHtmlSource source(model);
        run(source);
    }
};

} // namespace

class tst_HtmlExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ungroupedMemosInTheGridsOrder();
    void filterHidingEveryMemoLeavesTheHeaders();
    void markupAndLineBreaksInTexts();
    void groupedViewIsExpandedAndFooted();
    void groupedGridIsExpandedAndFooted();
    void cellText_data();
    void cellText();
    void titleIsThePathEscaped();
    void stylesAreNumberedByFirstUseAndKeptOnce();
    void cellTableChecksItsBounds();
    void exporterErrors_data();
    void exporterErrors();
    void protectedPageKeepsItsContent();
    void extension_data();
    void extension();
};

void tst_HtmlExport::ungroupedMemosInTheGridsOrder()
{
    Export e;
    e.memos.add(9, "RIUNIONE", "Sala 2");
    e.memos.add(GridMemos::at(0, 0), "BANCA", "Bonifico");
    e.memos.add(14, "DENTISTA", "");
    // The grid's order is the view's, not the table's: sorted by subject.
    e.model.setSortKeys({{kOggetto, Qt::AscendingOrder}});
    e.run();
    compareWithFixture(pageOf(e.path), "ungrouped.html");
}

void tst_HtmlExport::filterHidingEveryMemoLeavesTheHeaders()
{
    Export e;
    e.memos.add(9, "RIUNIONE", "Sala 2");
    e.model.setRowFilter([](const memdata::Table &, memdata::RowId) { return false; });
    e.run();
    compareWithFixture(pageOf(e.path), "filtered_empty.html");
}

void tst_HtmlExport::markupAndLineBreaksInTexts()
{
    Export e;
    e.memos.add(8, "", "a<b>c & \"d\"");
    e.memos.add(9, "R&D <X>", "riga1\r\nriga2\nriga3\rriga3bis");
    e.run();
    compareWithFixture(pageOf(e.path), "escapes.html");
}

void tst_HtmlExport::groupedViewIsExpandedAndFooted()
{
    Export e;
    e.memos.add(9, "BANCA", "Bonifico");
    e.memos.add(10, "ALFA", "Uno");
    e.memos.add(11, "BANCA", "Estratto");
    GroupedSource source(e.model, e.memos.oggetto);
    source.setExpanded(1, true);
    QCOMPARE(source.describe(), QStringLiteral("g:ALFA+,f,g:BANCA-,r,r,f"));
    e.run(source);
    QCOMPARE(source.expandCalls, 1);
    QCOMPARE(source.describe(), QStringLiteral("g:ALFA-,r,f,g:BANCA-,r,r,f"));
    compareWithFixture(pageOf(e.path), "grouped.html");

    // A grid narrower than its indent still makes a whole page.
    e.run(source, 10);
    QVERIFY(readFile(e.path).contains(">Oggetto : BANCA</TD>"));
    QVERIFY(readFile(e.path).endsWith("</HTML>"));
}

void tst_HtmlExport::groupedGridIsExpandedAndFooted()
{
    Export e;
    e.memos.add(9, "BANCA", "Bonifico");
    e.memos.add(10, "ALFA", "Uno");
    e.memos.add(11, "BANCA", "Estratto");
    e.memos.add(12, "", "Senza oggetto");
    QVERIFY(e.model.groupByColumn(kOggetto));
    auto groups = [&e] {
        QStringList out;
        for (int i = 0; i < e.model.rowCount(); ++i) {
            if (e.model.rowAt(i).kind == RowKind::Group)
                out << QString::fromLatin1(e.model.groupValueText(i)) +
                           (e.model.isGroupExpanded(i) ? QLatin1Char('-') : QLatin1Char('+'));
        }
        return out.join(QLatin1Char(','));
    };
    for (int i = 0; i < e.model.rowCount(); ++i) {
        if (e.model.rowAt(i).kind == RowKind::Group && e.model.groupValueText(i) == "BANCA")
            e.model.expandGroup(i);
    }
    QCOMPARE(groups(), QStringLiteral("+,ALFA+,BANCA-"));
    e.run();
    // Every group stays expanded afterwards, and the page lists every memo under its group.
    QCOMPARE(groups(), QStringLiteral("-,ALFA-,BANCA-"));
    compareWithFixture(pageOf(e.path), "grouped_grid.html");
}

void tst_HtmlExport::cellText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty has no semicolon") << QByteArray() << QByteArray("&nbsp");
    QTest::newRow("blank stays") << QByteArray(" ") << QByteArray(" ");
    QTest::newRow("four escapes") << QByteArray("<a href=\"x\">&</a>")
                                  << QByteArray("&lt;a href=&quot;x&quot;&gt;&amp;&lt;/a&gt;");
    QTest::newRow("apostrophe and accents stay")
        << QByteArray("l'\xE8 \x80") << QByteArray("l'\xE8 \x80");
    QTest::newRow("CR LF is one break") << QByteArray("a\r\nb") << QByteArray("a<BR>b");
    QTest::newRow("lone LF breaks") << QByteArray("a\nb") << QByteArray("a<BR>b");
    QTest::newRow("lone CR stays") << QByteArray("a\rb") << QByteArray("a\rb");
    QTest::newRow("CR at the end stays") << QByteArray("a\r") << QByteArray("a\r");
    QTest::newRow("CR CR LF") << QByteArray("\r\r\n") << QByteArray("\r<BR>");
    QTest::newRow("LF CR") << QByteArray("\n\r") << QByteArray("<BR>\r");
    QTest::newRow("only breaks") << QByteArray("\r\n\n") << QByteArray("<BR><BR>");
    QTest::newRow("NUL kept") << QByteArray("a\0b", 3) << QByteArray("a\0b", 3);
}

void tst_HtmlExport::cellText()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    std::string out;
    appendCellText(out, std::string_view(text.constData(), size_t(text.size())));
    QCOMPARE(QByteArray(out.data(), qsizetype(out.size())), expected);
}

void tst_HtmlExport::titleIsThePathEscaped()
{
    Export e;
    const QString folder = e.dir.filePath(QStringLiteral("a<b>&\"c\" d"));
    QVERIFY(QDir().mkpath(folder));
    e.path = folder + QStringLiteral("/MemoLst.html");
    e.run();
    const QByteArray page = readFile(e.path);
    const QByteArray title = "<TITLE>" + QFile::encodeName(e.dir.path()) +
                             "/a&lt;b&gt;&amp;&quot;c&quot; d/MemoLst.html</TITLE>\r\n";
    QVERIFY2(page.contains(title), page.left(300).constData());
    QVERIFY(!page.contains("a<b>"));
}

void tst_HtmlExport::stylesAreNumberedByFirstUseAndKeptOnce()
{
    HtmlStyleTable table;
    HtmlCellStyle a;
    a.fontName = "Tahoma";
    HtmlCellStyle b = a;
    b.borders[SideBottom].width = 0;
    HtmlCellStyle c = a;
    c.background = qRgb(1, 2, 3);
    QCOMPARE(table.add(b), 0);
    QCOMPARE(table.add(a), 1);
    QCOMPARE(table.add(b), 0);
    QCOMPARE(table.add(c), 2);
    HtmlCellStyle aAgain;
    aAgain.fontName = QByteArray("Tah") + "oma";
    QCOMPARE(table.add(aAgain), 1);
    QCOMPARE(table.count(), 3);
    QCOMPARE(table.at(2).background, qRgb(1, 2, 3));
    try {
        table.at(3);
        QFAIL("no error");
    } catch (const Error &error) {
        QCOMPARE(error.message(), QStringLiteral("Invalid style index 3"));
    }

    // The properties' order and forms: a default side goes out as 0 and black, underline
    // wins over strike-out, and the background ends without a semicolon.
    HtmlCellStyle s;
    s.fontName = "Arial";
    s.fontStyle = FontBold | FontItalic | FontUnderline | FontStrikeOut;
    s.fontSize = 9;
    s.charset = 238;
    s.fontColor = qRgb(0, 0, 0x8A);
    s.background = qRgb(255, 255, 225);
    s.borders = {HtmlBorder{false, 1, qRgb(1, 2, 3)}, HtmlBorder{true, 5, qRgb(9, 9, 9)},
                 HtmlBorder{false, 0, qRgb(4, 5, 6)}, HtmlBorder{false, 2, qRgb(7, 8, 9)}};
    std::string out;
    appendStyleProperties(out, s);
    QCOMPARE(QByteArray::fromStdString(out),
             QByteArray(" border-style: solid; padding: 3; border-left-width: 1;"
                        " border-top-width: 0; border-right-width: 0; border-bottom-width: 2;"
                        " border-left-color: rgb(1,2,3); border-top-color: rgb(0,0,0);"
                        " border-right-color: rgb(4,5,6); border-bottom-color: rgb(7,8,9);"
                        " font-family: 'Arial'; mso-font-charset: 238; font-weight: bold;"
                        " font-style: italic; text-decoration: underline; font-size: 9pt;"
                        " color: rgb(0,0,138); background-color: rgb(255,255,225)"));
    s.fontStyle = FontStrikeOut;
    out.clear();
    appendStyleProperties(out, s);
    QVERIFY(QByteArray::fromStdString(out).contains(
        " mso-font-charset: 238; text-decoration: line-through; font-size: 9pt;"));
}

void tst_HtmlExport::cellTableChecksItsBounds()
{
    HtmlCellTable t;
    t.setColumnCount(3);
    t.setRowCount(2);
    auto message = [&t](auto call) {
        try {
            call(t);
        } catch (const Error &error) {
            return error.message();
        }
        return QString();
    };
    QCOMPARE(message([](HtmlCellTable &x) { x.unite(1, 0, 3, 1); }),
             QStringLiteral("Incorrect union of cells"));
    QCOMPARE(message([](HtmlCellTable &x) { x.unite(0, 1, 1, 2); }),
             QStringLiteral("Incorrect union of cells"));
    QCOMPARE(message([](HtmlCellTable &x) { x.cell(3, 0); }),
             QStringLiteral("The column index 3 out of bounds"));
    QCOMPARE(message([](HtmlCellTable &x) { x.cell(0, -1); }),
             QStringLiteral("The row index -1 out of bounds"));
    QCOMPARE(message([](HtmlCellTable &x) { x.setColumnWidth(0, -1); }),
             QStringLiteral("Illegal width of the column"));
    QCOMPARE(message([](HtmlCellTable &x) { x.setRowCount(-1); }),
             QStringLiteral("Invalid column or row count"));

    t.unite(1, 0, 2, 2);
    QVERIFY(t.cell(1, 0).flags & HtmlCell::SpanStart);
    QCOMPARE(t.cell(1, 0).colSpan, quint16(2));
    QCOMPARE(t.cell(1, 0).rowSpan, quint16(2));
    QVERIFY(t.cell(2, 0).hidden() && t.cell(1, 1).hidden() && t.cell(2, 1).hidden());
    QVERIFY(!t.cell(0, 0).hidden() && !t.cell(0, 1).hidden());
}

void tst_HtmlExport::exporterErrors_data()
{
    QTest::addColumn<bool>("level");
    QTest::addColumn<bool>("view");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no level") << false << true << 2 << "Active grid level does not exist";
    QTest::newRow("no view") << true << false << 2 << "Grid view does not exist";
    QTest::newRow("spreadsheet") << true << true << 1 << "Unsupported export type: 1";
    QTest::newRow("unknown") << true << true << 7 << "Unsupported export type: 7";
}

void tst_HtmlExport::exporterErrors()
{
    QFETCH(bool, level);
    QFETCH(bool, view);
    QFETCH(int, kind);
    QFETCH(QString, expected);
    Export e;
    e.memos.add(9, "A");
    GridViewModelHtmlSource source(e.model);
    ExportGrid grid{level, view ? &source : nullptr, lookFor(e.model)};
    ExportRequest request;
    request.fileName = e.path;
    request.kind = kind;
    try {
        exportGrid(grid, request);
        QFAIL("no error");
    } catch (const Error &error) {
        QCOMPARE(error.message(), expected);
    }
    QVERIFY(!QFile::exists(e.path));
}

void tst_HtmlExport::protectedPageKeepsItsContent()
{
    Export e;
    e.memos.add(9, "A");
    {
        QFile old(e.path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old page");
    }
    QVERIFY(QFile::setPermissions(e.path, QFile::ReadOwner | QFile::ReadGroup));
    try {
        e.run();
        QFAIL("no error");
    } catch (const Error &error) {
        QCOMPARE(error.message(),
                 QStringLiteral("Cannot create file \"%1\". Permission denied").arg(e.path));
    }
    QCOMPARE(readFile(e.path), QByteArray("old page"));
    QCOMPARE(QDir(e.dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("MemoLst.html")});

    // Once the user allows it again, the page is replaced and keeps its permissions.
    QVERIFY(QFile::setPermissions(e.path, QFile::ReadOwner | QFile::WriteOwner));
    e.run();
    QVERIFY(readFile(e.path).startsWith("<HTML>\r\n"));
    QCOMPARE(QFile::permissions(e.path) & (QFile::ReadGroup | QFile::WriteOwner),
             QFile::Permissions(QFile::WriteOwner));
}

void tst_HtmlExport::extension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same") << "/p/MemoLst.html"
                          << "/p/MemoLst.html";
    QTest::newRow("other") << "/p/MemoLst.htm"
                           << "/p/MemoLst.html";
    QTest::newRow("none") << "/p/MemoLst"
                          << "/p/MemoLst.html";
    QTest::newRow("dot in the folder") << "/p.q/MemoLst"
                                       << "/p.q/MemoLst.html";
    QTest::newRow("two dots") << "/p/a.b.txt"
                              << "/p/a.b.html";
}

void tst_HtmlExport::extension()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(withExtension(name, QStringLiteral("html")), expected);
}

QTEST_MAIN(tst_HtmlExport)
#include "tst_htmlexport.moc"

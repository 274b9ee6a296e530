// Writing and reading the table as TAB-separated Windows-1252 text, byte for byte.

#include "platform/core/Error.h"
#include "support_memotable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace pensilio;
using namespace pensilio::memdata;
using pensilio::testing::MemoTable;

namespace {

const QByteArray kHeader("DataOra\tOggetto\tnote\tNumScad\r\n");

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Each row as "date|subject|note|key|creation number", rows joined by ";".
QString dump(const MemoTable &m)
{
    QStringList rows;
    for (int i = 0; i < m.table.recordCount(); ++i) {
        const RowId r = m.table.rowAt(i);
        QStringList cells;
        for (int f : {m.dataOra, m.oggetto, m.note, m.numScad, m.recId})
            cells << QString::fromLatin1(m.table.displayText(r, f));
        rows << cells.join(QLatin1Char('|'));
    }
    return rows.join(QLatin1Char(';'));
}

} // namespace

class TestTableTextFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(m_dir.isValid()); }
    void writesTheWorkedExample();
    void emptyTableWritesTheHeaderAlone();
    void writingAndReadingKeepsMemosAndTheirOrder();
    void valuesWithTabsAndLineBreaksSurvive();
    void reads_data();
    void reads();
    void aBadLineKeepsTheRowsBeforeIt_data();
    void aBadLineKeepsTheRowsBeforeIt();
    void emptyFileChangesNothing();
    void fileErrorsNameTheFile();
    void pendingRowIsEndedBeforeWriting();

private:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

void TestTableTextFile::writesTheWorkedExample()
{
    MemoTable m;
    m.table.append();
    m.table.setFieldDateTime(m.dataOra, WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 250));
    m.table.setFieldText(m.oggetto, "Riunione");
    m.table.setFieldText(m.note, "Portare i documenti");
    m.table.setFieldText(m.numScad, "251209190733");
    m.table.post();
    m.table.saveTextFile(path("Memodata.dat"));
    const QByteArray bytes = readFile(path("Memodata.dat"));
    QCOMPARE(bytes.size(), 93);
    QCOMPARE(bytes,
             kHeader + "09/12/2025 19:07:33\tRiunione\tPortare i documenti\t251209190733\r\n");

    MemoTable back;
    back.table.loadTextFile(path("Memodata.dat"));
    QCOMPARE(back.table.dateTime(back.table.rowAt(0), back.dataOra),
             WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 0));
}

void TestTableTextFile::emptyTableWritesTheHeaderAlone()
{
    MemoTable m;
    m.table.saveTextFile(path("empty.dat"));
    QCOMPARE(readFile(path("empty.dat")), kHeader);
    QCOMPARE(kHeader.size(), 30);
}

void TestTableTextFile::writingAndReadingKeepsMemosAndTheirOrder()
{
    MemoTable m;
    m.add("tie1", 10);
    m.add("tie2", 10); // goes first among the ties
    m.add("late", 12);
    m.add("midnight", 0);
    m.add("\xe8 accentata \x80", 11);
    m.table.saveTextFile(path("a.dat"));
    MemoTable back;
    back.table.loadTextFile(path("a.dat"));
    QCOMPARE(dump(back),
             QStringLiteral("09/12/2025|midnight||251209190733|1;"
                            "09/12/2025 10:00:00|tie2||251209190733|2;"
                            "09/12/2025 10:00:00|tie1||251209190733|3;"
                            "09/12/2025 11:00:00|\u00e8 accentata \u0080||251209190733|4;"
                            "09/12/2025 12:00:00|late||251209190733|5"));
    back.table.saveTextFile(path("b.dat"));
    QCOMPARE(readFile(path("b.dat")), readFile(path("a.dat")));
    QCOMPARE(back.table.currentPosition(), 0);
}

void TestTableTextFile::valuesWithTabsAndLineBreaksSurvive()
{
    MemoTable m;
    m.table.append();
    m.table.setFieldText(m.oggetto, "a\tb");
    m.table.setFieldText(m.note, "riga 1\r\nriga 2\nriga 3\rfine\t.");
    m.table.post();
    m.table.saveTextFile(path("c.dat"));
    const QByteArray bytes = readFile(path("c.dat"));
    QCOMPARE(bytes.count('\n'), 2); // the header and the one memo: no value breaks a line
    QCOMPARE(bytes.count('\t'), 6);
    MemoTable back;
    back.table.loadTextFile(path("c.dat"));
    QCOMPARE(back.table.recordCount(), 1);
    const RowId r = back.table.rowAt(0);
    QCOMPARE(back.table.text(r, back.oggetto).toByteArray(), QByteArray("a\tb"));
    QCOMPARE(back.table.text(r, back.note).toByteArray(),
             QByteArray("riga 1\r\nriga 2\nriga 3\rfine\t."));
}

void TestTableTextFile::reads_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    // The clock reads 09/12/2025 19:07:33 and the default key is 251209190733.
    const QByteArray memo("01/02/2024 08:30:00\tA\tnota\tK1\r\n");
    QTest::newRow("three pieces take the default key")
        << kHeader + "01/02/2024 08:30:00\tA\tnota\r\n"
        << "01/02/2024 08:30:00|A|nota|251209190733|1";
    QTest::newRow("empty date piece is the time of reading") << kHeader + "\tA\tnota\tK1\r\n"
                                                             << "09/12/2025 19:07:33|A|nota|K1|1";
    QTest::newRow("empty line is a memo of defaults")
        << kHeader + memo + "\r\n" + memo
        << "01/02/2024 08:30:00|A|nota|K1|1;01/02/2024 08:30:00|A|nota|K1|3;"
           "09/12/2025 19:07:33|||251209190733|2";
    QTest::newRow("header in other letter cases")
        << QByteArray("dataora\tOGGETTO\tNote\tnumscad\r\n") + memo
        << "01/02/2024 08:30:00|A|nota|K1|1";
    QTest::newRow("header naming RecId ignores it")
        << QByteArray(
               "RecId\tDataOra\tOggetto\tnote\tNumScad\r\n77\t01/02/2024 08:30:00\tA\tnota\tK1\r\n")
        << "01/02/2024 08:30:00|A|nota|K1|1";
    QTest::newRow("unknown and repeated columns")
        << QByteArray("Oggetto\tColore\tOggetto\r\nA\trosso\tB\r\n")
        << "09/12/2025 19:07:33|B||251209190733|1";
    QTest::newRow("CR-only line ends")
        << QByteArray("DataOra\tOggetto\r01/01/2024\tX\r") << "01/01/2024|X||251209190733|1";
    QTest::newRow("LF-only line ends")
        << QByteArray("DataOra\tOggetto\n01/01/2024\tX\n02/01/2024\tY")
        << "01/01/2024|X||251209190733|1;02/01/2024|Y||251209190733|2";
    QTest::newRow("60-character subject is cut to 50")
        << QByteArray("Oggetto\r\n") + QByteArray(60, 's') + "\r\n"
        << QStringLiteral("09/12/2025 19:07:33|%1||251209190733|1")
               .arg(QString(50, QLatin1Char('s')));
    QTest::newRow("ties keep file order")
        << kHeader + "01/01/2024\tB\r\n01/01/2024\tA\r\n01/01/2023\tC\r\n"
        << "01/01/2023|C||251209190733|3;01/01/2024|B||251209190733|1;01/01/2024|A||251209190733|2";
    QTest::newRow("trailing TAB gives no empty piece")
        << QByteArray("Oggetto\tnote\r\nA\t\r\n") << "09/12/2025 19:07:33|A||251209190733|1";
    QTest::newRow("a zero byte ends the content")
        << kHeader + memo + QByteArray("\0", 1) + memo << "01/02/2024 08:30:00|A|nota|K1|1";
    QTest::newRow("header alone") << kHeader << "";
}

void TestTableTextFile::reads()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    writeFile(path("r.dat"), content);
    MemoTable m;
    m.table.loadTextFile(path("r.dat"));
    QCOMPARE(dump(m), expected);
    QCOMPARE(m.table.state(), TableState::Browse);
}

void TestTableTextFile::aBadLineKeepsTheRowsBeforeIt_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("kept");
    QTest::newRow("five pieces")
        << kHeader +
               "02/01/2024\tB\r\n01/01/2024\tA\r\n01/01/2024\tX\tn\tK\tsurplus\r\n03/01/2024\tC\r\n"
        << "List index out of bounds (4)"
        << "01/01/2024|A||251209190733|2;02/01/2024|B||251209190733|1";
    QTest::newRow("bad date") << kHeader + "02/01/2024\tB\r\n31/02/2024 10:00\tX\r\n"
                              << "'31/02/2024 10:00' is not a valid date and time"
                              << "02/01/2024|B||251209190733|1";
    QTest::newRow("surplus on the first memo line, even if empty")
        << QByteArray("Oggetto\r\nA\t\tB\r\n") << "List index out of bounds (1)"
        << "";
}

void TestTableTextFile::aBadLineKeepsTheRowsBeforeIt()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    QFETCH(QString, kept);
    writeFile(path("bad.dat"), content);
    MemoTable m;
    try {
        m.table.loadTextFile(path("bad.dat"));
        QFAIL("no error");
    } catch (const TextFileLineError &e) {
        QCOMPARE(e.message(), error);
    }
    QCOMPARE(dump(m), kept);
    QCOMPARE(m.table.state(), TableState::Browse); // no half-read row is left pending
    m.add("new", 1);
    QCOMPARE(m.table.recordCount(), kept.isEmpty() ? 1 : kept.count(QLatin1Char(';')) + 2);
}

void TestTableTextFile::emptyFileChangesNothing()
{
    MemoTable m;
    m.add("A", 10);
    writeFile(path("zero.dat"), QByteArray());
    m.table.loadTextFile(path("zero.dat"));
    QCOMPARE(m.rows(), QStringLiteral("A*"));
}

void TestTableTextFile::fileErrorsNameTheFile()
{
    MemoTable m;
    const QString missing = path("none/Memodata.dat");
    try {
        m.table.loadTextFile(missing);
        QFAIL("no error");
    } catch (const Error &e) {
        QCOMPARE(e.message(),
                 QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(missing));
    }
    try {
        m.table.saveTextFile(missing);
        QFAIL("no error");
    } catch (const Error &e) {
        QCOMPARE(
            e.message(),
            QStringLiteral("Cannot create file \"%1\". No such file or directory").arg(missing));
    }
}

void TestTableTextFile::pendingRowIsEndedBeforeWriting()
{
    MemoTable m;
    m.add("A", 10);
    m.table.append();
    m.table.setFieldText(m.oggetto, "pending");
    m.table.saveTextFile(path("p.dat"));
    QCOMPARE(m.table.state(), TableState::Browse);
    QCOMPARE(m.table.recordCount(), 2);
    QVERIFY(readFile(path("p.dat")).contains("pending"));
}

QTEST_GUILESS_MAIN(TestTableTextFile)
#include "tst_tabletextfile.moc"

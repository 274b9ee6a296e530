// The data module: the program folder, the defaults of a new memo, and the data file at start-up
// and end, including the ways nothing is lost when the file cannot be read or written.

#include "ManualClock.h"
#include "RecordingMessageBoxes.h"
#include "store/UDM1.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace pensilio;
using pensilio::testing::ManualClock;
using pensilio::testing::RecordingMessageBoxes;

namespace {
const QByteArray kHeader("DataOra\tOggetto\tnote\tNumScad\r\n");
} // namespace

class TestUDM1 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void programFolderIsTheExecutablesFolder();
    void startWithoutFileCreatesItOnlyAtTheEnd();
    void newMemoDefaultsReadTheClockTwice();
    void unreadableLineKeepsTheFileAside();
    void failedSaveGoesToTheUserDataFolder();

private:
    Services services();
    QByteArray read(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;

    QTemporaryDir m_dir;
    ManualClock m_clock;
    RecordingMessageBoxes m_boxes;
};

void TestUDM1::init()
{
    m_boxes.log.clear();
    m_clock.set(WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 250));
    m_clock.setStep(0);
    for (const QString &f : QDir(m_dir.path()).entryList(QDir::Files)) {
        QFile::setPermissions(m_dir.filePath(f), QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(m_dir.filePath(f));
    }
}

Services TestUDM1::services()
{
    Services s;
    s.clock = &m_clock;
    s.boxes = &m_boxes;
    s.title = QStringLiteral("Pensilio");
    s.executablePath = m_dir.filePath(QStringLiteral("pensilio"));
    return s;
}

QByteArray TestUDM1::read(const QString &name) const
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void TestUDM1::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void TestUDM1::programFolderIsTheExecutablesFolder()
{
    QCOMPARE(programFolderOf(QStringLiteral("/opt/Memo/pensilio")), QStringLiteral("/opt/Memo/"));
    QCOMPARE(programFolderOf(QStringLiteral("/pensilio")), QStringLiteral("/"));
    TDM1 dm1(services());
    QCOMPARE(ProgramFolder, m_dir.path() + QLatin1Char('/'));
    QCOMPARE(dm1.dataFileName(), m_dir.filePath(QStringLiteral("Memodata.dat")));
}

void TestUDM1::startWithoutFileCreatesItOnlyAtTheEnd()
{
    const QString data = m_dir.filePath(QStringLiteral("Memodata.dat"));
    {
        TDM1 dm1(services());
        QVERIFY(dm1.ScadData.isOpen());
        QCOMPARE(dm1.ScadData.recordCount(), 0);
        QVERIFY(!QFile::exists(data));
    }
    QCOMPARE(read(data), kHeader);
    QVERIFY(m_boxes.log.isEmpty());
}

void TestUDM1::newMemoDefaultsReadTheClockTwice()
{
    // The second reading falls into the next second, which the key shows.
    m_clock.set(WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 999));
    m_clock.setStep(1);
    TDM1 dm1(services());
    dm1.ScadData.append();
    QCOMPARE(dm1.ScadData.fieldDateTime(dm1.ScadDataDataOra),
             WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 999));
    QCOMPARE(dm1.ScadData.fieldText(dm1.ScadDataNumScad), QByteArray("251209190734"));
    QCOMPARE(dm1.ScadData.fieldText(dm1.ScadDataOggetto), QByteArray());
    QVERIFY(!dm1.ScadData.fieldIsNull(dm1.ScadDataOggetto));
    QVERIFY(!dm1.ScadData.fieldIsNull(dm1.ScadDatanote));
    QCOMPARE(dm1.ScadData.fieldText(dm1.ScadDataRecId), QByteArray("1"));
    dm1.ScadData.cancel();
}

void TestUDM1::unreadableLineKeepsTheFileAside()
{
    const QString data = m_dir.filePath(QStringLiteral("Memodata.dat"));
    const QByteArray original = kHeader + "01/01/2024\tA\r\nnon una data\tB\r\n02/01/2024\tC\r\n";
    QString firstCopy;
    for (int run = 0; run < 2; ++run) {
        write(data, original);
        m_boxes.log.clear();
        {
            TDM1 dm1(services());
            QCOMPARE(dm1.ScadData.recordCount(), 1);
            firstCopy = run == 0 ? dm1.keptUnreadableFile() : firstCopy;
            QVERIFY(QFile::exists(dm1.keptUnreadableFile()));
            QCOMPARE(read(dm1.keptUnreadableFile()), original);
            QCOMPARE(m_boxes.log,
                     QStringList{
                         QStringLiteral("error[Pensilio]: 'non una data' is not a valid date "
                                        "and time.\nIl file letto è stato conservato come \"%1\".")
                             .arg(dm1.keptUnreadableFile())});
            if (run == 1)
                QVERIFY(dm1.keptUnreadableFile() !=
                        firstCopy); // an earlier copy is never overwritten
        }
        QCOMPARE(read(data), kHeader + "01/01/2024\tA\t\t251209190733\r\n");
    }
    QCOMPARE(read(firstCopy), original);
}

void TestUDM1::failedSaveGoesToTheUserDataFolder()
{
    const QString data = m_dir.filePath(QStringLiteral("Memodata.dat"));
    write(data, kHeader);
    QFile::setPermissions(data, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString recovery = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                             QStringLiteral("/recupero");
    QDir(recovery).removeRecursively();
    {
        TDM1 dm1(services());
        dm1.ScadData.append();
        dm1.ScadData.setFieldText(dm1.ScadDataOggetto, "da non perdere");
        dm1.ScadData.post();
    }
    QCOMPARE(read(data), kHeader); // the protected file is left as it was
    const QStringList saved = QDir(recovery).entryList(QDir::Files);
    QCOMPARE(saved.size(), 1);
    const QString fallback = QDir(recovery).filePath(saved.first());
    QVERIFY(read(fallback).contains("da non perdere"));
    QCOMPARE(m_boxes.log,
             QStringList{QStringLiteral("error[Pensilio]: Cannot create file \"%1\". Permission "
                                        "denied.\nI memo sono stati salvati in \"%2\".")
                             .arg(data, fallback)});
    QDir(recovery).removeRecursively();
}

QTEST_GUILESS_MAIN(TestUDM1)
#include "tst_udm1.moc"

// The real program, started in a folder of its own: it reads the data file beside it and writes
// it back at a normal end, which a termination signal is as well.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace {
const QByteArray kHeader("DataOra\tOggetto\tnote\tNumScad\r\n");
const QByteArray kMemo("09/12/2025 19:07:33\tRiunione\tPortare i documenti\t251209190733\r\n");
} // namespace

class TestProgram : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void normalEndWritesTheDataFile_data();
    void normalEndWritesTheDataFile();
};

void TestProgram::normalEndWritesTheDataFile_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("signal");
    QTest::newRow("worked example, SIGTERM") << kHeader + kMemo << kHeader + kMemo << int(SIGTERM);
    QTest::newRow("no data file, SIGINT") << QByteArray() << kHeader << int(SIGINT);
    QTest::newRow("LF line ends rewritten, SIGHUP")
        << QByteArray("DataOra\tOggetto\tnote\tNumScad\n09/12/2025 19:07:33\tRiunione\tPortare i "
                      "documenti\t251209190733\n")
        << kHeader + kMemo << int(SIGHUP);
}

void TestProgram::normalEndWritesTheDataFile()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(int, signal);
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("pensilio"));
    QVERIFY(QFile::copy(QStringLiteral(PENSILIO_EXECUTABLE), program));
    const QString data = dir.filePath(QStringLiteral("Memodata.dat"));
    if (!before.isEmpty()) {
        QFile f(data);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(before);
    }

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_TIME"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("it_IT.UTF-8"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QDir::tempPath()); // the current folder plays no part
    process.start(program, {});
    QVERIFY(process.waitForStarted());
    QTest::qWait(2000);
    QCOMPARE(process.state(), QProcess::Running);
    ::kill(static_cast<pid_t>(process.processId()), signal);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);

    QFile f(data);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), after);
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"

// The code page, the error box's text rules and replacing files whole.

#include "platform/core/AtomicFile.h"
#include "platform/core/Cp1252.h"
#include "platform/core/ErrorText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace pensilio;

class TestCoreServices : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyByteSurvivesTheCodePage();
    void charactersOutsideTheCodePageAreRefused();
    void applicationTitle_data();
    void applicationTitle();
    void fullStopRule_data();
    void fullStopRule();
    void atomicWriteReplacesAndKeepsPermissions();
    void atomicWriteLeavesAProtectedFileAlone();
    void atomicWriteReportsAMissingFolder();
};

void TestCoreServices::everyByteSurvivesTheCodePage()
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = cp1252::toUnicode(all);
    QCOMPARE(text.at(0x80 - 1), QChar(0x20AC)); // euro sign
    QCOMPARE(text.at(0xE8 - 1), QChar(0x00E8));
    QCOMPARE(cp1252::fromUnicode(text), all);
}

void TestCoreServices::charactersOutsideTheCodePageAreRefused()
{
    QVERIFY(cp1252::canEncode(QChar(0x20AC)));
    QVERIFY(cp1252::canEncode(QChar(u'à')));
    QVERIFY(!cp1252::canEncode(QChar(0x0101)));
    QVERIFY(!cp1252::canEncode(QChar(0x0080))); // a C1 control whose byte holds the euro sign
    QCOMPARE(cp1252::fromUnicode(QStringLiteral("a\u0101b")), QByteArray("a?b"));
}

void TestCoreServices::applicationTitle_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << "/opt/pensilio/pensilio"
                           << "pensilio";
    QTest::newRow("capitals after the first letter") << "/x/PENSILIO.EXE"
                                                     << "Pensilio";
    QTest::newRow("up to the first full stop") << "/x/Memo.v2.exe"
                                               << "Memo";
}

void TestCoreServices::applicationTitle()
{
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(applicationTitleFromPath(path), title);
}

void TestCoreServices::fullStopRule_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Stream write error"
                            << "Stream write error.";
    QTest::newRow("already a full stop") << "Fine."
                                         << "Fine.";
    QTest::newRow("closing bracket sorts before the full stop") << "List index out of bounds (4)"
                                                                << "List index out of bounds (4)";
    QTest::newRow("quote sorts before") << "File \"x\""
                                        << "File \"x\"";
    QTest::newRow("digit sorts after") << "Error 5"
                                       << "Error 5.";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCoreServices::fullStopRule()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(errorBoxText(message), shown);
    QCOMPARE(errorBoxText(message, QStringLiteral("kept")), shown + QStringLiteral("\nkept"));
}

void TestCoreServices::atomicWriteReplacesAndKeepsPermissions()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("f.dat"));
    QVERIFY(writeFileAtomically(name, "old").ok());
    QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    QVERIFY(writeFileAtomically(name, "new").ok());
    QFile f(name);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("new"));
    QCOMPARE(f.permissions() & (QFile::WriteGroup | QFile::ReadGroup | QFile::ReadOther),
             QFile::ReadGroup);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("f.dat")});
}

void TestCoreServices::atomicWriteLeavesAProtectedFileAlone()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("f.dat"));
    QVERIFY(writeFileAtomically(name, "old").ok());
    QFile::setPermissions(name, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const AtomicWriteResult r = writeFileAtomically(name, "new");
    QCOMPARE(r.failure, AtomicWriteResult::Failure::Create);
    QCOMPARE(r.cause, QStringLiteral("Permission denied"));
    QFile f(name);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old"));
}

void TestCoreServices::atomicWriteReportsAMissingFolder()
{
    QTemporaryDir dir;
    const AtomicWriteResult r = writeFileAtomically(dir.filePath(QStringLiteral("no/f.dat")), "x");
    QCOMPARE(r.failure, AtomicWriteResult::Failure::Create);
    QCOMPARE(r.cause, QStringLiteral("No such file or directory"));
}

QTEST_GUILESS_MAIN(TestCoreServices)
#include "tst_coreservices.moc"

// The "?" and "i" buttons: the documentation file in the program's folder opens through the
// shell; otherwise, wherever else a file of that name lies, the info dialog shows.

#include "RecordingDesktopShell.h"
#include "output/Documentation.h"
#include "output/UFMINFO.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace pensilio;
using pensilio::testing::RecordingDesktopShell;

class tst_Documentation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buttonOpensItsFileOrShowsTheDialog_data();
    void buttonOpensItsFileOrShowsTheDialog();
};

void tst_Documentation::buttonOpensItsFileOrShowsTheDialog_data()
{
    QTest::addColumn<bool>("help");
    QTest::addColumn<QString>("inProgramFolder"); // the file placed there, if any
    QTest::addColumn<QString>("inCurrentFolder");
    QTest::addColumn<bool>("opens");

    QTest::newRow("? with pnshelp.pdf") << true << "pnshelp.pdf"
                                        << "" << true;
    QTest::newRow("? without it") << true << ""
                                  << "" << false;
    QTest::newRow("? with only the other file") << true << "pnsinfo.pdf"
                                                << "" << false;
    QTest::newRow("? with it in the current folder") << true << ""
                                                     << "pnshelp.pdf" << false;
    QTest::newRow("i with pnsinfo.pdf") << false << "pnsinfo.pdf"
                                        << "" << true;
    QTest::newRow("i without it") << false << ""
                                  << "" << false;
    QTest::newRow("i with it in the current folder") << false << ""
                                                     << "pnsinfo.pdf" << false;
    // A folder of that name is no document.
    QTest::newRow("i with a folder of that name") << false << "pnsinfo.pdf/"
                                                  << "" << false;
}

void tst_Documentation::buttonOpensItsFileOrShowsTheDialog()
{
    QFETCH(bool, help);
    QFETCH(QString, inProgramFolder);
    QFETCH(QString, inCurrentFolder);
    QFETCH(bool, opens);

    QTemporaryDir program, current;
    const QString folder = program.path() + QLatin1Char('/');
    auto place = [](const QString &dir, const QString &name) {
        if (name.endsWith(QLatin1Char('/')))
            return QDir(dir).mkdir(name.chopped(1));
        QFile f(QDir(dir).filePath(name));
        return f.open(QIODevice::WriteOnly);
    };
    if (!inProgramFolder.isEmpty())
        QVERIFY(place(program.path(), inProgramFolder));
    if (!inCurrentFolder.isEmpty())
        QVERIFY(place(current.path(), inCurrentFolder));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(current.path()));

    RecordingDesktopShell shell;
    TFFINFO info(&shell);
    int shown = 0;
    info.setModalRunner([&shown](QDialog &) {
        ++shown;
        return int(QDialog::Rejected);
    });
    if (help)
        BBHelpClick(shell, info, folder);
    else
        BBInformaClick(shell, info, folder);
    QDir::setCurrent(previous);

    const QString file = help ? QStringLiteral("pnshelp.pdf") : QStringLiteral("pnsinfo.pdf");
    QCOMPARE(shell.calls,
             opens ? QStringList{QStringLiteral("|%1||%2|5").arg(file, folder)} : QStringList());
    QCOMPARE(shown, opens ? 0 : 1);
}

QTEST_MAIN(tst_Documentation)
#include "tst_documentation.moc"

// The memo edit dialog driven as a user would: continuous insert, modify, the failures it reports
// and every way of leaving it.

#include "ManualClock.h"
#include "RecordingMessageBoxes.h"
#include "platform/widgets/DateTimeEditor.h"
#include "platform/widgets/MemoEditor.h"
#include "platform/widgets/UpperCaseLineEdit.h"
#include "store/UDM1.h"
#include "ui/editor/UFMFSCAD.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace pensilio;
using pensilio::testing::ManualClock;
using pensilio::testing::RecordingMessageBoxes;

class TestUFMFSCAD : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void continuousInsertKeepsDateAndNote();
    void insertOpensWithCurrentTimeAndEmptyTexts();
    void longNoteIsCutAndLineBreaksKept();
    void emptiedDateFailsWithErrorPost();
    void modifyMovesTheMemoToItsNewPlace();
    void modifyLeftByEsciChangesNothing();
    void enterAndEscapePressNothing_data();
    void enterAndEscapePressNothing();
    void closeBoxActsAsEsci();

private:
    // Opens the dialog in a mode and runs the script while it is shown, instead of a modal loop.
    void run(TFMFSCAD::Mode mode, const std::function<void()> &script);
    QString memos() const;
    void addMemo(const QByteArray &subject, int hour);

    QTemporaryDir m_dir;
    ManualClock m_clock;
    RecordingMessageBoxes m_boxes;
    std::unique_ptr<TDM1> m_dm1;
    std::unique_ptr<TFMFSCAD> m_dialog;
};

void TestUFMFSCAD::init()
{
    m_clock.set(WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 250));
    m_boxes.log.clear();
    Services s;
    s.clock = &m_clock;
    s.boxes = &m_boxes;
    s.title = QStringLiteral("Pensilio");
    s.executablePath = m_dir.filePath(QStringLiteral("pensilio"));
    m_dm1 = std::make_unique<TDM1>(s);
    m_dialog = std::make_unique<TFMFSCAD>(*m_dm1, s);
}

void TestUFMFSCAD::cleanup()
{
    m_dialog.reset();
    m_dm1->ScadData.close(); // nothing to write in the test folder
    m_dm1.reset();
}

void TestUFMFSCAD::run(TFMFSCAD::Mode mode, const std::function<void()> &script)
{
    m_dialog->setModalRunner([&](QDialog &dialog) {
        dialog.show();
        script();
        if (dialog.isVisible())
            dialog.close();
        return dialog.result();
    });
    if (mode == TFMFSCAD::Inserimento)
        m_dialog->ApriInserimento();
    else
        m_dialog->ApriModifica();
    QCOMPARE(m_dm1->ScadData.state(), memdata::TableState::Browse);
}

QString TestUFMFSCAD::memos() const
{
    const memdata::Table &t = m_dm1->ScadData;
    QStringList out;
    for (int i = 0; i < t.recordCount(); ++i) {
        const memdata::RowId r = t.rowAt(i);
        out << QString::fromLatin1(t.displayText(r, m_dm1->ScadDataDataOra) + '|' +
                                   t.displayText(r, m_dm1->ScadDataOggetto) + '|' +
                                   t.displayText(r, m_dm1->ScadDatanote));
    }
    return out.join(QLatin1Char(';'));
}

void TestUFMFSCAD::addMemo(const QByteArray &subject, int hour)
{
    memdata::Table &t = m_dm1->ScadData;
    t.append();
    t.setFieldDateTime(m_dm1->ScadDataDataOra, WallDateTime::fromParts(2025, 12, 9, hour));
    t.setFieldText(m_dm1->ScadDataOggetto, subject);
    t.post();
}

void TestUFMFSCAD::continuousInsertKeepsDateAndNote()
{
    run(TFMFSCAD::Inserimento, [this] {
        QTest::keyClicks(m_dialog->EDITOggetto, QStringLiteral("riunione"));
        QTest::keyClicks(m_dialog->MENote, QStringLiteral("portare"));
        QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->EDITOggetto->text(), QString()); // the new record's empty subject
        QCOMPARE(m_dialog->MENote->value(), QByteArray("portare"));
        QCOMPARE(m_dm1->ScadData.state(), memdata::TableState::Insert);
        QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton);
        QTest::mouseClick(m_dialog->BBEsci, Qt::LeftButton); // drops the pending empty record
        QVERIFY(!m_dialog->isVisible());
    });
    QCOMPARE(memos(),
             QStringLiteral("09/12/2025 19:07:33||portare;09/12/2025 19:07:33|RIUNIONE|portare"));
    QVERIFY(m_boxes.log.isEmpty());
}

void TestUFMFSCAD::insertOpensWithCurrentTimeAndEmptyTexts()
{
    m_dialog->MENote->setValue("vecchio");
    m_dialog->cxDateEdit1->setValue(WallDateTime::fromParts(2000, 1, 1));
    run(TFMFSCAD::Inserimento, [this] {
        QCOMPARE(m_dialog->cxDateEdit1->value(),
                 WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 250));
        QCOMPARE(m_dialog->MENote->value(), QByteArray());
        QCOMPARE(m_dialog->EDITOggetto->text(), QString());
        QCOMPARE(m_dialog->focusWidget(), static_cast<QWidget *>(m_dialog->cxDateEdit1));
    });
    QCOMPARE(m_dm1->ScadData.recordCount(), 0);
}

void TestUFMFSCAD::longNoteIsCutAndLineBreaksKept()
{
    run(TFMFSCAD::Inserimento, [this] {
        m_dialog->MENote->setValue("a\r\nb" + QByteArray(1500, 'x'));
        QTest::keyClicks(m_dialog->EDITOggetto, QString(60, QLatin1Char('s')));
        QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton);
    });
    const memdata::RowId r = m_dm1->ScadData.rowAt(0);
    const QByteArray note = m_dm1->ScadData.text(r, m_dm1->ScadDatanote).toByteArray();
    QCOMPARE(note.size(), 1000);
    QVERIFY(note.startsWith("a\r\nbxxx"));
    QCOMPARE(m_dm1->ScadData.text(r, m_dm1->ScadDataOggetto).toByteArray(), QByteArray(50, 'S'));
}

void TestUFMFSCAD::emptiedDateFailsWithErrorPost()
{
    run(TFMFSCAD::Inserimento, [this] {
        m_dialog->cxDateEdit1->setFocus();
        QTest::keyClick(m_dialog->cxDateEdit1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_dialog->cxDateEdit1, Qt::Key_Delete);
        QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dm1->ScadData.state(), memdata::TableState::Insert);
        QCOMPARE(m_dm1->ScadData.recordCount(), 0);
    });
    QCOMPARE(m_boxes.log, QStringList{QStringLiteral("message[Pensilio]: errore post")});
    QCOMPARE(m_dm1->ScadData.recordCount(), 0);
}

void TestUFMFSCAD::modifyMovesTheMemoToItsNewPlace()
{
    addMemo("A", 9);
    addMemo("B", 10);
    m_dm1->ScadData.first();
    run(TFMFSCAD::Modifica, [this] {
        QCOMPARE(m_dialog->EDITOggetto->text(), QStringLiteral("A"));
        m_dialog->cxDateEdit1->setValue(WallDateTime::fromParts(2025, 12, 9, 11));
        QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    });
    QCOMPARE(memos(), QStringLiteral("09/12/2025 10:00:00|B|;09/12/2025 11:00:00|A|"));
    QCOMPARE(m_dm1->ScadData.currentPosition(), 1);
}

void TestUFMFSCAD::modifyLeftByEsciChangesNothing()
{
    addMemo("a minuscolo", 9);
    run(TFMFSCAD::Modifica, [this] {
        QTest::keyClicks(m_dialog->EDITOggetto, QStringLiteral("xyz"));
        QTest::mouseClick(m_dialog->BBEsci, Qt::LeftButton);
    });
    QCOMPARE(memos(), QStringLiteral("09/12/2025 09:00:00|a minuscolo|"));
    // A subject shown in capitals is not written back unless the user changed it.
    run(TFMFSCAD::Modifica, [this] { QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton); });
    QCOMPARE(memos(), QStringLiteral("09/12/2025 09:00:00|a minuscolo|"));
}

void TestUFMFSCAD::enterAndEscapePressNothing_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
}

void TestUFMFSCAD::enterAndEscapePressNothing()
{
    QFETCH(int, key);
    run(TFMFSCAD::Inserimento, [&] {
        for (QWidget *w : {static_cast<QWidget *>(m_dialog->cxDateEdit1),
                           static_cast<QWidget *>(m_dialog->EDITOggetto),
                           static_cast<QWidget *>(m_dialog->MENote)}) {
            w->setFocus();
            QTest::keyClick(w, Qt::Key(key));
            QVERIFY(m_dialog->isVisible());
        }
        QCOMPARE(m_dm1->ScadData.recordCount(), 0);
        QCOMPARE(m_dialog->MENote->value(), QByteArray());
    });
}

void TestUFMFSCAD::closeBoxActsAsEsci()
{
    run(TFMFSCAD::Inserimento, [this] {
        QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton);
        m_dialog->close();
    });
    QCOMPARE(m_dm1->ScadData.recordCount(), 1);
}

QTEST_MAIN(TestUFMFSCAD)
#include "tst_ufmfscad.moc"

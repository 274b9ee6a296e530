// The main window at its restored size and its commands, driven as a user would.

#include "ManualClock.h"
#include "RecordingDesktopShell.h"
#include "RecordingMessageBoxes.h"
#include "platform/grid/BandedGridView.h"
#include "platform/grid/GridViewModel.h"
#include "platform/widgets/BevelPanel.h"
#include "platform/widgets/DateTimeEditor.h"
#include "platform/widgets/HyperlinkLabel.h"
#include "platform/widgets/SplitDropDownButton.h"
#include "platform/widgets/UpperCaseLineEdit.h"
#include "store/UDM1.h"
#include "ui/editor/UFMFSCAD.h"
#include "ui/main/UFFMAIN.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace pensilio;
using pensilio::testing::ManualClock;
using pensilio::testing::RecordingDesktopShell;
using pensilio::testing::RecordingMessageBoxes;

class TestUFFMAIN : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void geometryAtRestoredSize_data();
    void geometryAtRestoredSize();
    void widerWindowKeepsTheFixedBoxes();
    void startsWithFocusOnInserisciAndTheRightTabOrder();
    void hiddenButtonsStayHidden();
    void insertReturnsToTheMemoFocusedBefore();
    void insertIntoEmptyTableLeavesTheLastMemoCurrent();
    void modifyFollowsTheMemoToItsNewPlace();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void commandsDoNothingWithoutVisibleMemos();
    void deleteKeyInTheGridAsksNothing();
    void printMenuOpensFromTheArrow();
    void hyperlinkOpensTheAddress();
    void groupedBySubjectEveryFooterIsEmpty();

private:
    void addMemo(const QByteArray &subject, int hour);
    QString focusedSubject() const;

    QTemporaryDir m_dir;
    ManualClock m_clock;
    RecordingMessageBoxes m_boxes;
    RecordingDesktopShell m_shell;
    std::unique_ptr<TDM1> m_dm1;
    std::unique_ptr<TFFMAIN> m_main;
    std::unique_ptr<TFMFSCAD> m_dialog;
};

void TestUFFMAIN::init()
{
    m_clock.set(WallDateTime::fromParts(2025, 12, 9, 19, 7, 33, 250));
    m_boxes.log.clear();
    m_boxes.answers.clear();
    m_shell.calls.clear();
    Services s;
    s.clock = &m_clock;
    s.boxes = &m_boxes;
    s.shell = &m_shell;
    s.title = QStringLiteral("Pensilio");
    s.executablePath = m_dir.filePath(QStringLiteral("pensilio"));
    m_dm1 = std::make_unique<TDM1>(s);
    m_main = std::make_unique<TFFMAIN>(*m_dm1, s);
    m_dialog = std::make_unique<TFMFSCAD>(*m_dm1, s, m_main.get());
    m_main->setEditDialog(m_dialog.get());
    m_main->resize(950, 548);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void TestUFFMAIN::cleanup()
{
    m_dialog.reset();
    m_main.reset();
    m_dm1->ScadData.close();
    m_dm1.reset();
}

void TestUFFMAIN::addMemo(const QByteArray &subject, int hour)
{
    memdata::Table &t = m_dm1->ScadData;
    t.append();
    t.setFieldDateTime(m_dm1->ScadDataDataOra, WallDateTime::fromParts(2025, 12, 9, hour));
    t.setFieldText(m_dm1->ScadDataOggetto, subject);
    t.post();
}

QString TestUFFMAIN::focusedSubject() const
{
    const grid::GridViewModel *view = m_main->cxGrid1DBTableView1;
    if (view->focusedRow() < 0)
        return QStringLiteral("<none>");
    const int column = view->columns().findColumn(u"Oggetto");
    return view->cellText(view->focusedRow(), column);
}

void TestUFFMAIN::geometryAtRestoredSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("expected"); // in the window's client coordinates
    QTest::newRow("banner bar") << "Panel1" << QRect(0, 0, 950, 89);
    QTest::newRow("banner picture") << "Image1" << QRect(6, 6, 770, 77);
    QTest::newRow("product box") << "Panel8" << QRect(776, 6, 168, 77);
    QTest::newRow("MEMO") << "Panel9" << QRect(778, 8, 164, 39);
    QTest::newRow("version") << "Panel10" << QRect(778, 47, 164, 34);
    QTest::newRow("centre") << "Panel3" << QRect(0, 89, 950, 410);
    QTest::newRow("inner centre") << "Panel6" << QRect(7, 96, 936, 396);
    QTest::newRow("grid") << "cxGrid1" << QRect(9, 98, 790, 392);
    QTest::newRow("button column") << "Panel5" << QRect(799, 98, 142, 392);
    QTest::newRow("Inserisci") << "BBInserisci" << QRect(807, 106, 121, 33);
    QTest::newRow("Modifica") << "BBModifica" << QRect(807, 138, 121, 33);
    QTest::newRow("Cancella") << "BBCancella" << QRect(807, 170, 121, 33);
    QTest::newRow("Stampa") << "BBStampa" << QRect(807, 202, 121, 33);
    QTest::newRow("Esci") << "BBEsci" << QRect(807, 258, 121, 33);
    QTest::newRow("bottom bar") << "Panel2" << QRect(0, 499, 950, 49);
    QTest::newRow("hidden buttons' box") << "Panel7" << QRect(774, 505, 170, 37);
    QTest::newRow("spacer") << "StaticText2" << QRect(770, 505, 4, 37);
    QTest::newRow("link box") << "Panel4" << QRect(544, 505, 226, 37);
    QTest::newRow("link") << "cxHyperLinkEdit3" << QRect(577, 509, 176, 28);
}

void TestUFFMAIN::geometryAtRestoredSize()
{
    QFETCH(QString, name);
    QFETCH(QRect, expected);
    auto *w = m_main->findChild<QWidget *>(name);
    QVERIFY2(w, qPrintable(name));
    const QRect actual(w->mapTo(m_main.get(), QPoint(0, 0)), w->size());
    QCOMPARE(actual, expected);
}

void TestUFFMAIN::widerWindowKeepsTheFixedBoxes()
{
    m_main->resize(1400, 700);
    QTRY_COMPARE(m_main->cxGrid1->width(), 790 + 450);
    QCOMPARE(m_main->Panel8->width(), 168);
    QCOMPARE(m_main->Panel5->width(), 142);
    QCOMPARE(m_main->Panel4->width(), 226);
    QCOMPARE(m_main->Panel7->width(), 170);
    QCOMPARE(m_main->Panel1->height(), 89);
    QCOMPARE(m_main->Panel2->height(), 49);
    // The banner stays centred in its part of the bar.
    const QRect image = m_main->Image1->contentsRect();
    QCOMPARE(m_main->Image1->pixmap().size(), QSize(742, 78));
    QCOMPARE(image.width(), 1400 - 168 - 12);
}

void TestUFFMAIN::startsWithFocusOnInserisciAndTheRightTabOrder()
{
    QCOMPARE(m_main->focusWidget(), static_cast<QWidget *>(m_main->BBInserisci));
    QStringList order;
    QWidget *w = m_main->cxGrid1;
    for (int i = 0; i < 6; ++i) {
        order << w->objectName();
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || !w->isVisible())
            w = w->nextInFocusChain();
    }
    QCOMPARE(order.join(QLatin1Char(',')),
             QStringLiteral("cxGrid1,BBInserisci,BBModifica,BBCancella,BBStampa,BBEsci"));
    QCOMPARE(m_main->cxHyperLinkEdit3->focusPolicy(), Qt::NoFocus);
}

void TestUFFMAIN::hiddenButtonsStayHidden()
{
    QVERIFY(!m_main->BBHelp->isVisible());
    QVERIFY(!m_main->BBInforma->isVisible());
    QCOMPARE(m_main->BBHelp->text(), QStringLiteral("?"));
    QCOMPARE(m_main->BBInforma->text(), QStringLiteral("i"));
}

void TestUFFMAIN::insertReturnsToTheMemoFocusedBefore()
{
    addMemo("A", 9);
    addMemo("B", 10);
    m_dm1->ScadData.first();
    m_dialog->setModalRunner([this](QDialog &d) {
        d.show();
        for (const char *subject : {"nuovo1", "nuovo2"}) {
            QTest::keyClicks(m_dialog->EDITOggetto, QLatin1String(subject));
            QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton);
        }
        QTest::mouseClick(m_dialog->BBEsci, Qt::LeftButton);
        return d.result();
    });
    QTest::mouseClick(m_main->BBInserisci, Qt::LeftButton);
    QCOMPARE(m_dm1->ScadData.recordCount(), 4);
    QCOMPARE(focusedSubject(), QStringLiteral("A"));
}

void TestUFFMAIN::insertIntoEmptyTableLeavesTheLastMemoCurrent()
{
    m_dialog->setModalRunner([this](QDialog &d) {
        d.show();
        m_dialog->cxDateEdit1->setValue(WallDateTime::fromParts(2025, 1, 1));
        QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton);
        m_dialog->cxDateEdit1->setValue(WallDateTime::fromParts(2024, 1, 1));
        QTest::keyClicks(m_dialog->EDITOggetto, QStringLiteral("primo"));
        QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton);
        QTest::mouseClick(m_dialog->BBEsci, Qt::LeftButton);
        return d.result();
    });
    QTest::mouseClick(m_main->BBInserisci, Qt::LeftButton);
    QCOMPARE(m_dm1->ScadData.recordCount(), 2);
    QCOMPARE(m_dm1->ScadData.currentPosition(), 1);
    QCOMPARE(focusedSubject(), QString());
}

void TestUFFMAIN::modifyFollowsTheMemoToItsNewPlace()
{
    addMemo("A", 9);
    addMemo("B", 10);
    addMemo("C", 11);
    m_dm1->ScadData.first();
    m_dialog->setModalRunner([this](QDialog &d) {
        d.show();
        m_dialog->cxDateEdit1->setValue(WallDateTime::fromParts(2025, 12, 9, 23));
        QTest::mouseClick(m_dialog->BBInserisci, Qt::LeftButton);
        return d.result();
    });
    QTest::mouseClick(m_main->BBModifica, Qt::LeftButton);
    QCOMPARE(m_dm1->ScadData.currentPosition(), 2);
    QCOMPARE(focusedSubject(), QStringLiteral("A"));
    QCOMPARE(m_main->cxGrid1DBTableView1->focusedRow(), 2);
}

void TestUFFMAIN::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("left");
    QTest::newRow("Yes") << true << "B";
    QTest::newRow("No, Escape or the close box") << false << "A";
}

void TestUFFMAIN::deleteAsksFirst()
{
    QFETCH(bool, answer);
    QFETCH(QString, left);
    addMemo("A", 9);
    addMemo("B", 10);
    m_dm1->ScadData.first();
    m_boxes.answers.push_back(answer);
    QTest::mouseClick(m_main->BBCancella, Qt::LeftButton);
    QCOMPARE(m_boxes.log.size(), 1);
    QVERIFY(m_boxes.log.first().startsWith(
        QStringLiteral("ask[Confirm]: Confermi cancellazione nominativo ?")));
    QCOMPARE(focusedSubject(), left);
    QCOMPARE(m_dm1->ScadData.recordCount(), answer ? 1 : 2);
}

void TestUFFMAIN::commandsDoNothingWithoutVisibleMemos()
{
    bool opened = false;
    m_dialog->setModalRunner([&](QDialog &) {
        opened = true;
        return 0;
    });
    QTest::mouseClick(m_main->BBModifica, Qt::LeftButton);
    QTest::mouseClick(m_main->BBCancella, Qt::LeftButton);
    addMemo("A", 9);
    addMemo("B", 10); // current
    // A filter that shows a memo but hides the current one.
    const int subject = m_dm1->ScadDataOggetto;
    m_main->cxGrid1DBTableView1->setRowFilter([subject](const memdata::Table &t, memdata::RowId r) {
        return t.text(r, subject).view() == "A";
    });
    QCOMPARE(m_main->cxGrid1DBTableView1->rowCount(), 1);
    QTest::mouseClick(m_main->BBModifica, Qt::LeftButton);
    QTest::mouseClick(m_main->BBCancella, Qt::LeftButton);
    m_main->cxGrid1DBTableView1->setRowFilter(
        [](const memdata::Table &, memdata::RowId) { return false; });
    QTest::mouseClick(m_main->BBModifica, Qt::LeftButton);
    QTest::mouseClick(m_main->BBCancella, Qt::LeftButton);
    QVERIFY(!opened);
    QVERIFY(m_boxes.log.isEmpty());
    QCOMPARE(m_dm1->ScadData.recordCount(), 2);
}

void TestUFFMAIN::deleteKeyInTheGridAsksNothing()
{
    addMemo("A", 9);
    addMemo("B", 10);
    m_dm1->ScadData.first();
    m_main->cxGrid1->setFocus();
    QTest::keyClick(m_main->cxGrid1, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(m_dm1->ScadData.recordCount(), 2);
    QTest::keyClick(m_main->cxGrid1, Qt::Key_Delete);
    QCOMPARE(m_dm1->ScadData.recordCount(), 1);
    QTest::keyClick(m_main->cxGrid1, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(m_dm1->ScadData.recordCount(), 0);
    QVERIFY(m_boxes.log.isEmpty());
}

void TestUFFMAIN::printMenuOpensFromTheArrow()
{
    QCOMPARE(m_main->PopupMenu1->actions().size(), 2);
    QCOMPARE(m_main->StampaTOTALE1->text(), QStringLiteral("Stampa TOTALE"));
    QCOMPARE(m_main->StampaHTMLselezione1->text(), QStringLiteral("Stampa HTML (selezione)"));
    QSignalSpy spy(m_main->BBStampa, &widgets::SplitDropDownButton::menuRequested);
    QTest::mouseClick(m_main->BBStampa, Qt::LeftButton, {}, QPoint(20, 16)); // the body
    QCOMPARE(spy.size(), 0);
    QTest::mousePress(m_main->BBStampa, Qt::LeftButton, {}, QPoint(121 - 7, 16)); // the arrow
    QCOMPARE(spy.size(), 1);
    m_main->PopupMenu1->hide();
    // The menu's items do nothing on an empty table.
    int printed = 0;
    m_main->setPrintAll([&] { ++printed; });
    m_main->setPrintHtml([&] { ++printed; });
    m_main->StampaTOTALE1->trigger();
    m_main->StampaHTMLselezione1->trigger();
    QCOMPARE(printed, 0);
    addMemo("A", 9);
    m_main->StampaTOTALE1->trigger();
    m_main->StampaHTMLselezione1->trigger();
    QCOMPARE(printed, 2);
}

void TestUFFMAIN::hyperlinkOpensTheAddress()
{
    QTest::mouseClick(m_main->cxHyperLinkEdit3, Qt::LeftButton);
    QCOMPARE(m_shell.calls, QStringList{QStringLiteral("open|http://pensilio.example|||3")});
}

void TestUFFMAIN::groupedBySubjectEveryFooterIsEmpty()
{
    addMemo("B", 9);
    addMemo("A", 10);
    addMemo("A", 11);
    grid::GridViewModel *view = m_main->cxGrid1DBTableView1;
    const int subject = view->columns().findColumn(u"Oggetto");
    QVERIFY(!view->canGroupBy(view->columns().findColumn(u"DataOra")));
    QVERIFY(!view->canGroupBy(view->columns().findColumn(u"Note")));
    QVERIFY(view->groupByColumn(subject));
    view->expandAll();
    QStringList rows;
    for (int i = 0; i < view->rowCount(); ++i) {
        const grid::GridRow row = view->rowAt(i);
        if (row.kind == grid::RowKind::Group) {
            rows << view->groupRowText(i);
        } else if (row.kind == grid::RowKind::GroupFooter) {
            // The count of NumScad serves no grouping: its summary group links no column.
            QString footer;
            for (int c = 0; c < view->columns().columnCount(); ++c)
                footer += view->groupFooterText(i, c);
            rows << QStringLiteral("footer[%1]").arg(footer);
        } else {
            rows << QStringLiteral("memo");
        }
    }
    QCOMPARE(rows.join(QLatin1Char(',')),
             QStringLiteral("Oggetto : A,memo,memo,footer[],Oggetto : B,memo,footer[]"));
}

QTEST_MAIN(TestUFFMAIN)
#include "tst_uffmain.moc"

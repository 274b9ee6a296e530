// The info dialog FFINFO: its window, panels, notice and link, created hidden and shown modally.

#include "RecordingDesktopShell.h"
#include "output/UFMINFO.h"
#include "platform/widgets/BevelPanel.h"
#include "platform/widgets/HyperlinkLabel.h"

#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using namespace pensilio;
using pensilio::testing::RecordingDesktopShell;
using Bevel = pensilio::widgets::BevelPanel::Bevel;

class tst_UFMINFO : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void windowAndPanels();
    void noticeReadsItsFourLinesCentred();
    void linkOpensTheDocumentationPage();
    void showModalRunsTheRunnerWithTheNoticeFocused();
};

void tst_UFMINFO::windowAndPanels()
{
    RecordingDesktopShell shell;
    TFFINFO dialog(&shell);
    QVERIFY(!dialog.isVisible());
    QVERIFY(dialog.isModal());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("DOCUMENTAZIONE - INFORMATIVE"));
    QCOMPARE(dialog.size(), QSize(391, 150));
    QCOMPARE(dialog.font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(dialog.font().pixelSize(), 11);
    QCOMPARE(dialog.backgroundRole(), QPalette::Button);

    QCOMPARE(dialog.Panel1->geometry(), QRect(0, 0, 391, 9));
    QCOMPARE(dialog.Panel1->outerBevel(), Bevel::Lowered);
    QCOMPARE(dialog.Panel1->innerBevel(), Bevel::Raised);
    QCOMPARE(dialog.Panel1->color(), dialog.palette().color(QPalette::Light));
    QCOMPARE(dialog.Panel3->geometry(), QRect(0, 9, 391, 102));
    QCOMPARE(dialog.Panel3->outerBevel(), Bevel::Raised);
    QCOMPARE(dialog.Panel3->innerBevel(), Bevel::Lowered);
    QCOMPARE(dialog.Memo1->geometry(), QRect(2, 2, 387, 98));
    QCOMPARE(dialog.Panel2->geometry(), QRect(0, 111, 391, 39));
    QCOMPARE(dialog.Panel2->color(), dialog.palette().color(QPalette::Light));
    QCOMPARE(dialog.cxHyperLinkEdit4->geometry(), QRect(57, 8, 272, 24));

    // Widening keeps the strips at their heights and gives the notice the rest.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.resize(500, 250);
    QTRY_COMPARE(dialog.Panel3->geometry(), QRect(0, 9, 500, 202));
    QCOMPARE(dialog.Panel2->geometry(), QRect(0, 211, 500, 39));
}

void tst_UFMINFO::noticeReadsItsFourLinesCentred()
{
    TFFINFO dialog(nullptr);
    QTextEdit *memo = dialog.Memo1;
    QCOMPARE(memo->toPlainText(), QStringLiteral("La documentazione e le informative relative \n"
                                                 "alle evoluzioni dell'pensilio sono residenti\n"
                                                 "nel ns. sito web (causa frequenti\n"
                                                 "evoluzioni del software)."));
    QCOMPARE(memo->document()->blockCount(), 4);
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
        QCOMPARE(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QVERIFY(!memo->isReadOnly());
    QCOMPARE(memo->lineWrapMode(), QTextEdit::WidgetWidth);
    QCOMPARE(memo->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(memo->font().pixelSize(), 19);
    QCOMPARE(memo->palette().color(QPalette::Base), QColor(0xF2, 0xF0, 0xE3));
    QCOMPARE(memo->palette().color(QPalette::Text), QColor(0x75, 0x75, 0x75));
}

void tst_UFMINFO::linkOpensTheDocumentationPage()
{
    RecordingDesktopShell shell;
    TFFINFO dialog(&shell);
    widgets::HyperlinkLabel *link = dialog.cxHyperLinkEdit4;
    QCOMPARE(link->text(), QStringLiteral("https://pensilio.example.org/memo"));
    QCOMPARE(link->focusPolicy(), Qt::NoFocus);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(shell.calls.size(), 1);
    QVERIFY2(shell.calls.first().contains(QStringLiteral("|https://pensilio.example.org/memo|")),
             qPrintable(shell.calls.first()));
}

void tst_UFMINFO::showModalRunsTheRunnerWithTheNoticeFocused()
{
    TFFINFO dialog(nullptr);
    bool focused = false;
    dialog.setModalRunner([&](QDialog &d) {
        d.show();
        if (!QTest::qWaitForWindowActive(&d))
            return -1;
        focused = dialog.Memo1->hasFocus();
        d.reject();
        return d.result();
    });
    QCOMPARE(dialog.ShowModal(), int(QDialog::Rejected));
    QVERIFY(focused);
    QVERIFY(!dialog.isVisible());
    // Typed text stays for the next showing.
    dialog.Memo1->setPlainText(QStringLiteral("appunto"));
    dialog.setModalRunner([](QDialog &d) { return d.result(); });
    dialog.ShowModal();
    QCOMPARE(dialog.Memo1->toPlainText(), QStringLiteral("appunto"));
}

QTEST_MAIN(tst_UFMINFO)
#include "tst_ufminfo.moc"

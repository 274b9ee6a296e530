// The hyperlink label: the address a click opens, and what counts as a click.

#include "platform/widgets/HyperlinkLabel.h"
#include "support/RecordingDesktopShell.h"

#include <QAccessible>
#include <QTest>

using pensilio::testing::RecordingDesktopShell;
using pensilio::widgets::HyperlinkLabel;

class tst_HyperlinkLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void clickOpensAddress_data();
    void clickOpensAddress();
    void onlyLeftClickOpens();
    void looksAndActsAsLink();
};

void tst_HyperlinkLabel::clickOpensAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: nothing opened
    QTest::newRow("bare host") << QStringLiteral("www.x.it") << QStringLiteral("http://www.x.it");
    QTest::newRow("blanks around")
        << QStringLiteral("  http://x.it ") << QStringLiteral("http://x.it");
    QTest::newRow("prefix in capitals") << QStringLiteral("HTTP://x") << QStringLiteral("HTTP://x");
    // Another scheme is already an address: "http://https://x" would open nothing useful.
    QTest::newRow("https") << QStringLiteral("https://x") << QStringLiteral("https://x");
    QTest::newRow("mailto") << QStringLiteral("mailto:a@x.it") << QStringLiteral("mailto:a@x.it");
    // A port is no scheme.
    QTest::newRow("host with port")
        << QStringLiteral("x.it:8080/a") << QStringLiteral("http://x.it:8080/a");
    QTest::newRow("blank text") << QStringLiteral("   ") << QString();
}

void tst_HyperlinkLabel::clickOpensAddress()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    RecordingDesktopShell shell;
    HyperlinkLabel label;
    label.setDesktopShell(&shell);
    label.setText(text);
    label.resize(176, 28);
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(20, 10));
    const QStringList calls = expected.isEmpty()
                                  ? QStringList()
                                  : QStringList{QStringLiteral("open|%1|||3").arg(expected)};
    QCOMPARE(shell.calls, calls);
}

void tst_HyperlinkLabel::onlyLeftClickOpens()
{
    RecordingDesktopShell shell;
    HyperlinkLabel label;
    label.setDesktopShell(&shell);
    label.setText(QStringLiteral("www.x.it"));
    label.resize(176, 28);
    QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(20, 10));
    QTest::mouseClick(&label, Qt::MiddleButton, {}, QPoint(20, 10));
    // Pressed on the label but released outside it: no click.
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(300, 10));
    QCOMPARE(shell.calls, QStringList());
}

void tst_HyperlinkLabel::looksAndActsAsLink()
{
    HyperlinkLabel label;
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(16);
    label.setFont(font);
    label.setText(QStringLiteral("www.x.it"));
    QVERIFY2(label.font().underline(), "a font set by the form keeps the underline");
    QCOMPARE(label.font().pixelSize(), 16);
    QCOMPARE(label.palette().color(label.foregroundRole()), QColor(0x0000FF));
    QCOMPARE(label.focusPolicy(), Qt::NoFocus);
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&label);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Link);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("www.x.it"));
    QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("http://www.x.it"));
    label.setAccessibleName(QStringLiteral("Sito del produttore"));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Sito del produttore"));
}

QTEST_MAIN(tst_HyperlinkLabel)
#include "tst_hyperlinklabel.moc"

// The bevelled panel: the room its frame takes, the colours of its bevels and its caption.

#include "platform/widgets/BevelPanel.h"

#include <QAccessible>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

using pensilio::widgets::BevelPanel;
using Bevel = BevelPanel::Bevel;

Q_DECLARE_METATYPE(BevelPanel::Bevel)

class tst_BevelPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void contentInsideFrame_data();
    void contentInsideFrame();
    void bevelsPaintLightAndShadow();
    void captionNamesPanel();
};

void tst_BevelPanel::contentInsideFrame_data()
{
    QTest::addColumn<Bevel>("outer");
    QTest::addColumn<int>("outerWidth");
    QTest::addColumn<int>("border");
    QTest::addColumn<Bevel>("inner");
    QTest::addColumn<int>("innerWidth");
    QTest::addColumn<bool>("single");
    QTest::addColumn<int>("frame");
    QTest::newRow("3 raised, border 1, 3 lowered")
        << Bevel::Raised << 3 << 1 << Bevel::Lowered << 3 << false << 7;
    QTest::newRow("single, 2 raised, 2 lowered")
        << Bevel::Raised << 2 << 0 << Bevel::Lowered << 2 << true << 5;
    // A space bevel draws nothing but takes its room.
    QTest::newRow("1 space, 1 lowered")
        << Bevel::Space << 1 << 0 << Bevel::Lowered << 1 << false << 2;
    // A bevel of kind none takes no room whatever its width.
    QTest::newRow("none, border 2") << Bevel::None << 4 << 2 << Bevel::None << 4 << false << 2;
}

void tst_BevelPanel::contentInsideFrame()
{
    QFETCH(Bevel, outer);
    QFETCH(int, outerWidth);
    QFETCH(int, border);
    QFETCH(Bevel, inner);
    QFETCH(int, innerWidth);
    QFETCH(bool, single);
    QFETCH(int, frame);
    BevelPanel panel;
    panel.setOuterBevel(outer, outerWidth);
    panel.setInnerBevel(inner, innerWidth);
    panel.setBorderWidth(border);
    panel.setSingleBorder(single);
    panel.resize(100, 60);
    QCOMPARE(panel.frameWidth(), frame);
    QCOMPARE(panel.contentRect(), QRect(frame, frame, 100 - 2 * frame, 60 - 2 * frame));

    // A layout on the panel keeps its children inside the frame.
    auto *layout = new QVBoxLayout(&panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *child = new QLabel(&panel);
    layout->addWidget(child);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCOMPARE(child->geometry(), panel.contentRect());
}

void tst_BevelPanel::bevelsPaintLightAndShadow()
{
    BevelPanel panel;
    QPalette pal = panel.palette();
    pal.setColor(QPalette::Light, Qt::white);
    pal.setColor(QPalette::Dark, Qt::darkGray);
    pal.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
    panel.setPalette(pal);
    panel.setColorRole(QPalette::Midlight);
    panel.setOuterBevel(Bevel::Raised, 2);
    panel.setBorderWidth(1);
    panel.setInnerBevel(Bevel::Lowered, 1);
    panel.resize(40, 30);
    const QImage image = panel.grab().toImage();
    auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };
    // Raised outer bevel: light at top left, shadow at bottom right, two pixels deep.
    QCOMPARE(at(0, 10), QColor(Qt::white));
    QCOMPARE(at(1, 10), QColor(Qt::white));
    QCOMPARE(at(39, 10), QColor(Qt::darkGray));
    QCOMPARE(at(20, 28), QColor(Qt::darkGray));
    // The border in the panel's colour, then the lowered inner bevel the other way round.
    QCOMPARE(at(2, 10), QColor(0xE3, 0xE3, 0xE3));
    QCOMPARE(at(3, 10), QColor(Qt::darkGray));
    QCOMPARE(at(36, 10), QColor(Qt::white));
    QCOMPARE(at(20, 15), QColor(0xE3, 0xE3, 0xE3));
}

void tst_BevelPanel::captionNamesPanel()
{
    BevelPanel panel;
    QCOMPARE(panel.captionAlignment(), Qt::AlignCenter);
    panel.setCaption(QStringLiteral("MEMO"));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&panel);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("MEMO"));
    panel.setAccessibleName(QStringLiteral("Prodotto"));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Prodotto"));
}

QTEST_MAIN(tst_BevelPanel)
#include "tst_bevelpanel.moc"

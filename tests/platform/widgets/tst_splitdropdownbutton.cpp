// The split drop-down button: which gestures open its menu, and where the menu opens.

#include "platform/widgets/PopupPlacement.h"
#include "platform/widgets/SplitDropDownButton.h"

#include <QAccessible>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

using pensilio::widgets::PopupAlignment;
using pensilio::widgets::SplitDropDownButton;

class tst_SplitDropDownButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void arrowPartPressOpensMenu();
    void bodyClickOpensNoMenu();
    void keysOpenMenu_data();
    void keysOpenMenu();
    void menuPlacement_data();
    void menuPlacement();
    void exposedAsButtonWithMenu();

private:
    QWidget *m_window = nullptr;
    SplitDropDownButton *m_button = nullptr;
    QMenu *m_menu = nullptr;
};

void tst_SplitDropDownButton::init()
{
    m_window = new QWidget;
    m_window->resize(300, 200);
    m_button = new SplitDropDownButton(QStringLiteral("Stampa"), m_window);
    m_button->setGeometry(8, 20, 121, 33);
    m_menu = new QMenu(m_window);
    m_menu->addAction(QStringLiteral("Stampa TOTALE"));
    m_menu->addAction(QStringLiteral("Stampa HTML (selezione)"));
    m_button->setDropDownMenu(m_menu);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_SplitDropDownButton::cleanup()
{
    m_menu->close();
    delete m_window;
}

void tst_SplitDropDownButton::arrowPartPressOpensMenu()
{
    QSignalSpy requested(m_button, &SplitDropDownButton::menuRequested);
    // The leftmost pixel of the 15-pixel arrow part.
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(121 - 15, 16));
    QCOMPARE(requested.size(), 1);
    QTRY_VERIFY(m_menu->isVisible());
    QCOMPARE(m_menu->pos(), requested.at(0).at(0).toPoint());
    QCOMPARE(m_menu->pos(), m_button->menuPosition());

    // A second press on the arrow part closes the menu and does not open it again.
    // While the menu is open it has the mouse, so the press reaches the menu first.
    const QPoint onArrow = m_menu->mapFromGlobal(m_button->mapToGlobal(QPoint(121 - 8, 16)));
    QTest::mousePress(m_menu, Qt::LeftButton, {}, onArrow);
    QCOMPARE(requested.size(), 1);
    QTRY_VERIFY(!m_menu->isVisible());
}

void tst_SplitDropDownButton::bodyClickOpensNoMenu()
{
    QSignalSpy requested(m_button, &SplitDropDownButton::menuRequested);
    QSignalSpy clicked(m_button, &QPushButton::clicked);
    // Just left of the arrow part, and a right press on the arrow part.
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(121 - 16, 16));
    QTest::mousePress(m_button, Qt::RightButton, {}, QPoint(118, 16));
    QTest::mouseRelease(m_button, Qt::RightButton, {}, QPoint(118, 16));
    QCOMPARE(requested.size(), 0);
    QVERIFY(!m_menu->isVisible());
    QCOMPARE(clicked.size(), 1); // the body is an ordinary button part with nothing attached
}

void tst_SplitDropDownButton::keysOpenMenu_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Alt+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::AltModifier)
                              << true;
    QTest::newRow("Alt+Up") << int(Qt::Key_Up) << Qt::KeyboardModifiers(Qt::AltModifier) << true;
    QTest::newRow("Shift+Up") << int(Qt::Key_Up) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                              << true;
    QTest::newRow("Shift+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                << true;
    QTest::newRow("Down alone") << int(Qt::Key_Down) << Qt::KeyboardModifiers() << false;
    QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ControlModifier)
                               << false;
    QTest::newRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << false;
}

void tst_SplitDropDownButton::keysOpenMenu()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, opens);
    QSignalSpy requested(m_button, &SplitDropDownButton::menuRequested);
    m_button->setFocus();
    QTest::keyClick(m_button, Qt::Key(key), modifiers);
    QCOMPARE(requested.size(), opens ? 1 : 0);
    QCOMPARE(m_menu->isVisible(), opens);
    if (opens)
        QCOMPARE(m_menu->activeAction(), m_menu->actions().constFirst());
}

void tst_SplitDropDownButton::menuPlacement_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QSize>("popup");
    QTest::addColumn<QPoint>("expected");
    // On a 1000 x 700 screen. Below the button, centred: x = 100 + (121 - 161) / 2 = 80, y = 200
    // + 33.
    QTest::newRow("room below") << QRect(100, 200, 121, 33) << QSize(161, 48) << QPoint(80, 233);
    // The bottom edge of the menu would be at 700 exactly: still fits below.
    QTest::newRow("fits to the last row")
        << QRect(100, 619, 121, 33) << QSize(161, 48) << QPoint(80, 652);
    // One row short below: opens above, its bottom touching the button's top (620 - 48).
    QTest::newRow("no room below") << QRect(100, 620, 121, 33) << QSize(161, 48) << QPoint(80, 572);
    // Centring would put it left of the screen: pushed to the edge.
    QTest::newRow("left edge") << QRect(0, 100, 40, 20) << QSize(161, 48) << QPoint(0, 120);
    // And past the right edge: its right side meets the screen's (1000 - 161).
    QTest::newRow("right edge") << QRect(950, 100, 50, 20) << QSize(161, 48) << QPoint(839, 120);
    // Taller than the room on either side, more room above: pushed down onto the screen top.
    QTest::newRow("fits nowhere") << QRect(100, 400, 121, 33) << QSize(161, 500) << QPoint(80, 0);
}

void tst_SplitDropDownButton::menuPlacement()
{
    QFETCH(QRect, anchor);
    QFETCH(QSize, popup);
    QFETCH(QPoint, expected);
    QCOMPARE(pensilio::widgets::popupPosition(anchor, popup, QRect(0, 0, 1000, 700),
                                              PopupAlignment::Centred),
             expected);
}

void tst_SplitDropDownButton::exposedAsButtonWithMenu()
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(m_button);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::ButtonMenu);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Stampa"));
    QSignalSpy requested(m_button, &SplitDropDownButton::menuRequested);
    iface->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    QCOMPARE(requested.size(), 1);
}

QTEST_MAIN(tst_SplitDropDownButton)
#include "tst_splitdropdownbutton.moc"

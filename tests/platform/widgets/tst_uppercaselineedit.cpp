// The upper-case single-line edit: conversion as typed, its length and the refused characters.

#include "platform/widgets/UpperCaseLineEdit.h"

#include "support_typing.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

using pensilio::widgets::UpperCaseLineEdit;

class tst_UpperCaseLineEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedTextStoredUpper_data();
    void typedTextStoredUpper();
    void maxLengthHolds();
    void setValueIsNotAnEdit();
};

void tst_UpperCaseLineEdit::typedTextStoredUpper_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("ascii") << QStringLiteral("riunione 3") << QByteArray("RIUNIONE 3");
    QTest::newRow("accents") << QStringLiteral(u"città perché") << QByteArray("CITT\xC0 PERCH\xC9");
    // ÿ and š have capitals in the code page (Ÿ 0x9F, Š 0x8A).
    QTest::newRow("y diaeresis, s caron") << QStringLiteral(u"ÿš") << QByteArray("\x9F\x8A");
    // ß would become "SS" and µ a Greek capital outside the code page: both stay as typed.
    QTest::newRow("sharp s, micro") << QStringLiteral(u"ßµ") << QByteArray("\xDF\xB5");
    QTest::newRow("outside code page refused") << QStringLiteral(u"aЖ😀b") << QByteArray("AB");
    QTest::newRow("controls refused") << QStringLiteral(u"a\u0007\u0081b") << QByteArray("AB");
}

void tst_UpperCaseLineEdit::typedTextStoredUpper()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, expected);
    UpperCaseLineEdit typing;
    pensilio::testing::typeText(&typing, typed);
    QCOMPARE(typing.value(), expected);
    QVERIFY(typing.isModified());
    QVERIFY2(typing.isUndoAvailable(), "converting must not wipe the undo history");

    UpperCaseLineEdit pasting;
    QGuiApplication::clipboard()->setText(typed + QStringLiteral("\r\n"));
    QTest::keyClick(&pasting, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(pasting.value(), expected);
}

void tst_UpperCaseLineEdit::maxLengthHolds()
{
    UpperCaseLineEdit edit;
    edit.setMaxLength(50);
    pensilio::testing::typeText(&edit, QString(48, QLatin1Char('a')) + QStringLiteral(u"ßßß"));
    QCOMPARE(edit.value(), QByteArray(48, 'A') + "\xDF\xDF");

    // A refused character in the middle of a paste leaves the cursor after what was kept.
    edit.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral(u"abЖcd"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QStringLiteral("ABCD"));
    QCOMPARE(edit.cursorPosition(), 4);
}

void tst_UpperCaseLineEdit::setValueIsNotAnEdit()
{
    UpperCaseLineEdit edit;
    edit.setValue("Mario Rossi");
    QCOMPARE(edit.value(), QByteArray("MARIO ROSSI"));
    QVERIFY(!edit.isModified());
}

QTEST_MAIN(tst_UpperCaseLineEdit)
#include "tst_uppercaselineedit.moc"

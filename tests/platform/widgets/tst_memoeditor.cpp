// The note editor: its cap, the swallowed Enter, line breaks kept as CR LF and the characters
// the code page refuses.

#include "platform/widgets/MemoEditor.h"

#include "support_typing.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using pensilio::widgets::MemoEditor;

class tst_MemoEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typingStopsAtCap();
    void pasteIsCutAtCap();
    void enterIsSwallowed();
    void pastedLineBreaksKeptAsCrLf();
    void refusedCharacters_data();
    void refusedCharacters();
    void valueRoundTrips();
};

namespace {

void paste(MemoEditor &editor, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

void tst_MemoEditor::typingStopsAtCap()
{
    MemoEditor editor;
    QCOMPARE(editor.maxLength(), 2000);
    editor.setValue(QByteArray(1998, 'a'));
    editor.moveCursor(QTextCursor::End);
    QTest::keyClicks(&editor, QStringLiteral("bcde"));
    QCOMPARE(editor.value(), QByteArray(1998, 'a') + "bc");
    // Typing over a selection frees its room first.
    QTest::keyClick(&editor, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&editor, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClicks(&editor, QStringLiteral("xyz"));
    QCOMPARE(editor.value(), QByteArray(1998, 'a') + "xy");
}

void tst_MemoEditor::pasteIsCutAtCap()
{
    MemoEditor editor;
    editor.setMaxLength(10);
    editor.setValue("abc");
    editor.moveCursor(QTextCursor::End);
    // A line break counts two, as CR LF in the value: "abc" + "12" + CR LF + "345" is 10.
    paste(editor, QStringLiteral("12\n34567"));
    QCOMPARE(editor.value(), QByteArray("abc12\r\n345"));
    QCOMPARE(editor.length(), 10);
}

void tst_MemoEditor::enterIsSwallowed()
{
    QDialog dialog;
    auto *editor = new MemoEditor(&dialog);
    auto *button = new QPushButton(QStringLiteral("OK"), &dialog);
    button->setDefault(true);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(editor);
    layout->addWidget(button);
    QSignalSpy pressed(button, &QPushButton::clicked);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    editor->setFocus();
    QTest::keyClicks(editor, QStringLiteral("ab"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClick(editor, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(editor, QStringLiteral("c"));
    QCOMPARE(editor->value(), QByteArray("abc"));
    QCOMPARE(pressed.size(), 0);
    QVERIFY(dialog.isVisible());
}

void tst_MemoEditor::pastedLineBreaksKeptAsCrLf()
{
    MemoEditor editor;
    // Windows, old Mac and Unix line ends alike; no break added at the end, blank lines kept.
    paste(editor, QStringLiteral("uno\r\ndue\rtre\n\nquattro"));
    QCOMPARE(editor.value(), QByteArray("uno\r\ndue\r\ntre\r\n\r\nquattro"));
    QCOMPARE(editor.toPlainText(), QStringLiteral("uno\ndue\ntre\n\nquattro"));
}

void tst_MemoEditor::refusedCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("euro and accents kept")
        << QStringLiteral(u"€ è ÿ") << QByteArray("\x80 \xE8 \xFF");
    QTest::newRow("no-break space kept") << QStringLiteral(u"a\u00A0b")
                                         << QByteArray("a\xA0"
                                                       "b");
    QTest::newRow("cyrillic refused") << QStringLiteral(u"aЖb") << QByteArray("ab");
    QTest::newRow("emoji refused") << QStringLiteral(u"a😀b") << QByteArray("ab");
    QTest::newRow("controls refused, tab kept")
        << QStringLiteral(u"a\u0001\u001B\u0085\tb") << QByteArray("a\tb");
}

void tst_MemoEditor::refusedCharacters()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, expected);
    MemoEditor typing;
    pensilio::testing::typeText(&typing, typed);
    // A typed TAB moves the focus and types nothing; a paste carries it.
    QByteArray typedExpected = expected;
    typedExpected.replace('\t', "");
    QCOMPARE(typing.value(), typedExpected);

    MemoEditor pasting;
    paste(pasting, typed);
    QCOMPARE(pasting.value(), expected);
}

void tst_MemoEditor::valueRoundTrips()
{
    MemoEditor editor;
    const QByteArray value("PRIMA RIGA\r\n\x80 seconda\xA0riga\r\n\tterza");
    editor.setValue(value);
    QCOMPARE(editor.value(), value);
    QCOMPARE(editor.length(), value.size());
    editor.setMaxLength(12);
    editor.setValue(value);
    QCOMPARE(editor.value(), QByteArray("PRIMA RIGA\r\n"));
}

QTEST_MAIN(tst_MemoEditor)
#include "tst_memoeditor.moc"

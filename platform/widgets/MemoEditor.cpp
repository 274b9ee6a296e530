#include "platform/widgets/MemoEditor.h"

#include "platform/core/Cp1252.h"
#include "platform/widgets/Cp1252Input.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

namespace pensilio::widgets {

namespace {

int valueLength(const QString &text)
{
    return int(text.size() + text.count(QLatin1Char('\n')));
}

} // namespace

MemoEditor::MemoEditor(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on to the next control, so the editor never traps the keyboard.
    setTabChangesFocus(true);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
}

void MemoEditor::setMaxLength(int length)
{
    m_maxLength = std::max(0, length);
}

int MemoEditor::length() const
{
    const QTextDocument *doc = document();
    // characterCount() counts one separator after every block, the last one included.
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}

QByteArray MemoEditor::value() const
{
    // toRawText keeps the no-break space that toPlainText would turn into a blank.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return cp1252::fromUnicode(text);
}

void MemoEditor::setValue(const QByteArray &value)
{
    QString text = admittedText(cp1252::toUnicode(value), LineBreaks::Kept);
    QString cut;
    int used = 0;
    for (const QChar ch : std::as_const(text)) {
        used += ch == QLatin1Char('\n') ? 2 : 1;
        if (used > m_maxLength)
            break;
        cut.append(ch);
    }
    setPlainText(cut);
}

QString MemoEditor::fitting(const QString &text) const
{
    const QTextCursor cursor = textCursor();
    QString selected = cursor.selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    int room = m_maxLength - (length() - valueLength(selected));
    QString out;
    for (const QChar ch : text) {
        room -= ch == QLatin1Char('\n') ? 2 : 1;
        if (room < 0)
            break;
        out.append(ch);
    }
    return out;
}

void MemoEditor::insertChecked(const QString &text)
{
    const QString admitted = fitting(admittedText(text, LineBreaks::Kept));
    if (!admitted.isEmpty())
        insertPlainText(admitted);
}

void MemoEditor::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) && tabChangesFocus()) {
        // Moving the focus is the window's business; with nowhere to go, TAB types nothing.
        event->ignore();
        return;
    }
    const QString typed = event->text();
    const bool typesText = !typed.isEmpty() && typed.at(0).unicode() >= 0x20 &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                           typed.at(0).unicode() != 0x7F;
    if (!typesText || isReadOnly()) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    insertChecked(typed);
    ensureCursorVisible();
}

void MemoEditor::inputMethodEvent(QInputMethodEvent *event)
{
    if (event->commitString().isEmpty() || isReadOnly()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const QString commit = fitting(admittedText(event->commitString(), LineBreaks::Kept));
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&filtered);
}

bool MemoEditor::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText();
}

void MemoEditor::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText())
        insertChecked(source->text());
    ensureCursorVisible();
}

} // namespace pensilio::widgets

#include "platform/widgets/UpperCaseLineEdit.h"

#include "platform/core/Cp1252.h"
#include "platform/widgets/Cp1252Input.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QValidator>

namespace pensilio::widgets {

namespace {

QString upperAdmitted(const QString &text)
{
    QString out = admittedText(text);
    for (QChar &ch : out)
        ch = upperInCodePage(ch);
    return out;
}

// Typing and pasting are converted before they reach the text, which keeps undo and the
// modified flag. The validator catches whatever else changes the text (a drop, setText): the
// line edit takes over the text it hands back. Character by character, the text never grows.
class UpperCaseValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        QString out;
        out.reserve(input.size());
        int newPos = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar ch = input.at(i);
            if (isAdmitted(ch))
                out.append(upperInCodePage(ch));
            else if (i < pos)
                --newPos;
        }
        if (out != input) {
            input = out;
            pos = newPos;
        }
        return Acceptable;
    }
};

} // namespace

UpperCaseLineEdit::UpperCaseLineEdit(QWidget *parent) : QLineEdit(parent)
{
    setValidator(new UpperCaseValidator(this));
}

QByteArray UpperCaseLineEdit::value() const
{
    return cp1252::fromUnicode(text());
}

void UpperCaseLineEdit::setValue(const QByteArray &value)
{
    setText(cp1252::toUnicode(value));
}

void UpperCaseLineEdit::insertChecked(const QString &text)
{
    if (isReadOnly())
        return;
    const QString admitted = upperAdmitted(text);
    if (!admitted.isEmpty())
        insert(admitted);
}

void UpperCaseLineEdit::pasteChecked()
{
    insertChecked(QGuiApplication::clipboard()->text());
}

void UpperCaseLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        pasteChecked();
        return;
    }
    const QString typed = event->text();
    const bool typesText = !typed.isEmpty() && typed.at(0).unicode() >= 0x20 &&
                           typed.at(0).unicode() != 0x7F &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (!typesText) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    insertChecked(typed);
}

void UpperCaseLineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent converted(event->preeditString(), event->attributes());
    converted.setCommitString(upperAdmitted(event->commitString()), event->replacementStart(),
                              event->replacementLength());
    QLineEdit::inputMethodEvent(&converted);
}

void UpperCaseLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, &UpperCaseLineEdit::pasteChecked);
    }
    menu->popup(event->globalPos());
}

} // namespace pensilio::widgets

#pragma once
// A single-line edit bound to Windows-1252 text that turns letters to upper case as they are
// typed or pasted and admits no character the code page cannot hold and no control character.

#include <QByteArray>
#include <QLineEdit>

namespace pensilio::widgets {

class UpperCaseLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit UpperCaseLineEdit(QWidget *parent = nullptr);

    // Windows-1252 text. setValue shows the value upper-cased and clears isModified(), so a
    // form can tell whether the user changed it before writing it back.
    QByteArray value() const;
    void setValue(const QByteArray &value);

public Q_SLOTS:
    // Pastes what is admitted of the clipboard's text, upper-cased.
    void pasteChecked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void insertChecked(const QString &text);
};

} // namespace pensilio::widgets

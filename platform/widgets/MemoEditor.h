#pragma once
// A multi-line note editor bound to Windows-1252 text: it admits only characters the code page
// holds, caps the text, keeps pasted line breaks (CR LF in its value) and starts no new line on
// Enter, which it consumes so that no default button is pressed either.

#include <QByteArray>
#include <QPlainTextEdit>

namespace pensilio::widgets {

class MemoEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    static constexpr int kDefaultMaxLength = 2000;

    explicit MemoEditor(QWidget *parent = nullptr);

    // At most this many characters, a line break counting as two (CR LF), as in the value.
    void setMaxLength(int length);
    int maxLength() const { return m_maxLength; }
    // The length of value(): the characters plus one more for each line break.
    int length() const;

    // Windows-1252 text with CR LF line ends; no line break is added at the end.
    QByteArray value() const;
    // Shows the text, cut to the maximum length; CR LF, CR and LF all read as a line break.
    void setValue(const QByteArray &value);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // Inserts what is admitted of 'text' in place of the selection, as much as fits.
    void insertChecked(const QString &text);
    QString fitting(const QString &text) const;

    int m_maxLength = kDefaultMaxLength;
};

} // namespace pensilio::widgets

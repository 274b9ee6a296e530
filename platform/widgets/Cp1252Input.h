#pragma once
// Which typed or pasted characters the code-page-bound editors admit: only what Windows-1252
// holds as a printable character, so that what the user sees is exactly what is stored.

#include <QString>

namespace pensilio::widgets {

enum class LineBreaks
{
    Refused,
    Kept
};

// False for characters outside the code page, for control characters (the C0 range except TAB,
// DEL and the five C1 controls the code page leaves undefined) and, unless kept, for CR and LF.
bool isAdmitted(QChar ch, LineBreaks breaks = LineBreaks::Refused);

// The text without the characters that are not admitted. With line breaks kept, CR LF and a
// lone CR become LF, the editors' own line break.
QString admittedText(const QString &text, LineBreaks breaks = LineBreaks::Refused);

// The upper-case letter when the code page holds it as one character, the character itself
// otherwise ('ß' and 'µ' stay as they are).
QChar upperInCodePage(QChar ch);

} // namespace pensilio::widgets

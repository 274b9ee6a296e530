#pragma once
// A cell's value as the grid shows it on one line: line breaks and TABs become blanks (a CR LF
// pair one blank), so a note with several lines reads as one and never breaks a copied row.

#include <QByteArray>
#include <QString>

namespace pensilio::grid {

// At most maxChars characters of the result are made; -1 makes all of them.
QString oneLineText(const QByteArray &bytes, qsizetype maxChars = -1);

} // namespace pensilio::grid

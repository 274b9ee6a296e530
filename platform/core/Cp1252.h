#pragma once
// The Windows-1252 code page: every text of the program is held and stored in it, byte for byte.

#include <QByteArray>
#include <QString>

namespace pensilio::cp1252 {

QString toUnicode(const char *data, qsizetype size);
inline QString toUnicode(const QByteArray &bytes)
{
    return toUnicode(bytes.constData(), bytes.size());
}
QChar toUnicode(unsigned char byte);

bool canEncode(QChar ch);
// Characters the code page cannot hold become '?', so nothing outside it reaches a file.
QByteArray fromUnicode(const QString &text);
// Returns the byte for a character, or 0 when the code page has none.
char encode(QChar ch);

} // namespace pensilio::cp1252

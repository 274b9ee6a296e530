#include "platform/grid/CellText.h"

#include "platform/core/Cp1252.h"

namespace pensilio::grid {

QString oneLineText(const QByteArray &bytes, qsizetype maxChars)
{
    QString out;
    const qsizetype n = bytes.size();
    out.reserve(maxChars < 0 ? n : std::min(n, maxChars));
    for (qsizetype i = 0; i < n && (maxChars < 0 || out.size() < maxChars); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n' || c == '\t') {
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            out += QLatin1Char(' ');
        } else {
            out += cp1252::toUnicode(static_cast<unsigned char>(c));
        }
    }
    return out;
}

} // namespace pensilio::grid

#include "platform/widgets/Cp1252Input.h"

#include "platform/core/Cp1252.h"

namespace pensilio::widgets {

bool isAdmitted(QChar ch, LineBreaks breaks)
{
    const char16_t u = ch.unicode();
    if (u == u'\t')
        return true;
    if (u == u'\r' || u == u'\n')
        return breaks == LineBreaks::Kept;
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F))
        return false;
    return cp1252::encode(ch) != 0;
}

QString admittedText(const QString &text, LineBreaks breaks)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar ch = text.at(i);
        if (breaks == LineBreaks::Kept && ch == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ch = QLatin1Char('\n');
        }
        if (isAdmitted(ch, breaks))
            out.append(ch);
    }
    return out;
}

QChar upperInCodePage(QChar ch)
{
    const QChar upper = ch.toUpper();
    return upper != ch && cp1252::encode(upper) != 0 ? upper : ch;
}

} // namespace pensilio::widgets

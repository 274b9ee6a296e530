#include "platform/core/Cp1252.h"

namespace pensilio::cp1252 {

namespace {
// 0x80..0x9F; the five bytes the code page leaves undefined map to the C1 control of the same
// value, as Windows itself converts them, so every byte survives a round trip.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QChar toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(kHigh[byte - 0x80]);
    return QChar(static_cast<char16_t>(byte));
}

QString toUnicode(const char *data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = toUnicode(static_cast<unsigned char>(data[i]));
    return out;
}

char encode(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u == 0)
        return 0;
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return static_cast<char>(0x80 + i);
    }
    return 0;
}

bool canEncode(QChar ch)
{
    return ch.unicode() == 0 || encode(ch) != 0;
}

QByteArray fromUnicode(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *dst = out.data();
    const QChar *src = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = src[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
            dst[i] = static_cast<char>(u);
        else {
            const char b = encode(src[i]);
            dst[i] = b ? b : '?';
        }
    }
    return out;
}

} // namespace pensilio::cp1252

#include "platform/report/PageCommands.h"

#include "platform/report/PageStyles.h"

#include <cmath>

namespace pensilio::report {

namespace {

enum class Op : quint8
{
    FillRect = 1,
    Text = 2,
    Hairline = 3
};

// Coordinates stay within a hundred metres each way; anything else is damage.
constexpr qint64 kMaxCoordinate = 10'000'000;
constexpr double kUnitsPerMm = 100.0;

class Reader
{
public:
    explicit Reader(QByteArrayView bytes) : m_p(bytes.data()), m_end(bytes.data() + bytes.size()) {}
    bool atEnd() const { return m_p == m_end; }
    bool byte(quint8 &out)
    {
        if (m_p == m_end)
            return false;
        out = static_cast<quint8>(*m_p++);
        return true;
    }
    bool unsignedNumber(quint64 &out)
    {
        out = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            quint8 b;
            if (!byte(b))
                return false;
            out |= static_cast<quint64>(b & 0x7f) << shift;
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    bool index(int limit, int &out)
    {
        quint64 v;
        if (!unsignedNumber(v) || v >= static_cast<quint64>(limit))
            return false;
        out = static_cast<int>(v);
        return true;
    }
    bool coordinate(double &out)
    {
        quint64 v;
        if (!unsignedNumber(v))
            return false;
        const qint64 value = static_cast<qint64>(v >> 1) ^ -static_cast<qint64>(v & 1);
        if (value > kMaxCoordinate || value < -kMaxCoordinate)
            return false;
        out = static_cast<double>(value) / kUnitsPerMm;
        return true;
    }
    bool bytes(qsizetype size, QByteArrayView &out)
    {
        if (size < 0 || size > m_end - m_p)
            return false;
        out = QByteArrayView(m_p, size);
        m_p += size;
        return true;
    }

private:
    const char *m_p;
    const char *m_end;
};

} // namespace

namespace {

// Builds one command's fixed part on the stack, so the page grows by one append per command.
class CommandBytes
{
public:
    explicit CommandBytes(quint8 op) { m_bytes[m_size++] = static_cast<char>(op); }
    void byte(quint8 value) { m_bytes[m_size++] = static_cast<char>(value); }
    void number(quint64 v)
    {
        while (v >= 0x80) {
            m_bytes[m_size++] = static_cast<char>((v & 0x7f) | 0x80);
            v >>= 7;
        }
        m_bytes[m_size++] = static_cast<char>(v);
    }
    void coordinate(double mm)
    {
        // Rounds half away from zero, as llround does, without its call.
        const double scaled = mm * kUnitsPerMm;
        const auto value = static_cast<qint64>(scaled + (scaled < 0 ? -0.5 : 0.5));
        number((static_cast<quint64>(value) << 1) ^ static_cast<quint64>(value >> 63));
    }
    QByteArrayView view() const { return QByteArrayView(m_bytes, m_size); }

private:
    char m_bytes[96];
    qsizetype m_size = 0;
};

} // namespace

void PageWriter::fillRect(const QRectF &mm, int color)
{
    CommandBytes c(static_cast<quint8>(Op::FillRect));
    c.number(static_cast<quint64>(color));
    c.coordinate(mm.x());
    c.coordinate(mm.y());
    c.coordinate(mm.width());
    c.coordinate(mm.height());
    m_page.append(c.view());
}

void PageWriter::text(const QRectF &box, int font, int color, TextFlag flags, int background,
                      QByteArrayView text)
{
    CommandBytes c(static_cast<quint8>(Op::Text));
    c.number(static_cast<quint64>(font));
    c.number(static_cast<quint64>(color));
    c.byte(static_cast<quint8>(flags));
    if (static_cast<quint8>(flags) & static_cast<quint8>(TextFlag::Opaque))
        c.number(static_cast<quint64>(background));
    c.coordinate(box.x());
    c.coordinate(box.y());
    c.coordinate(box.width());
    c.coordinate(box.height());
    c.number(static_cast<quint64>(text.size()));
    m_page.append(c.view());
    m_page.append(text);
}

void PageWriter::hairline(double x1, double y1, double x2, double y2, int color)
{
    CommandBytes c(static_cast<quint8>(Op::Hairline));
    c.number(static_cast<quint64>(color));
    c.coordinate(x1);
    c.coordinate(y1);
    c.coordinate(x2);
    c.coordinate(y2);
    m_page.append(c.view());
}

bool visitPage(QByteArrayView page, const PageStyles &styles, PageVisitor &visitor)
{
    const int fonts = static_cast<int>(styles.fonts().size());
    const int colors = static_cast<int>(styles.colors().size());
    Reader in(page);
    while (!in.atEnd()) {
        quint8 op;
        in.byte(op);
        switch (static_cast<Op>(op)) {
        case Op::FillRect: {
            int color;
            double x, y, w, h;
            if (!in.index(colors, color) || !in.coordinate(x) || !in.coordinate(y) ||
                !in.coordinate(w) || !in.coordinate(h))
                return false;
            visitor.fillRect(QRectF(x, y, w, h), color);
            break;
        }
        case Op::Text: {
            int font, color, background = 0;
            quint8 flags;
            double x, y, w, h;
            quint64 size;
            QByteArrayView text;
            if (!in.index(fonts, font) || !in.index(colors, color) || !in.byte(flags) ||
                (flags & ~quint8(3)))
                return false;
            if ((flags & static_cast<quint8>(TextFlag::Opaque)) && !in.index(colors, background))
                return false;
            if (!in.coordinate(x) || !in.coordinate(y) || !in.coordinate(w) || !in.coordinate(h) ||
                !in.unsignedNumber(size) || size > static_cast<quint64>(page.size()) ||
                !in.bytes(static_cast<qsizetype>(size), text))
                return false;
            visitor.text(QRectF(x, y, w, h), font, color, static_cast<TextFlag>(flags), background,
                         text);
            break;
        }
        case Op::Hairline: {
            int color;
            double x1, y1, x2, y2;
            if (!in.index(colors, color) || !in.coordinate(x1) || !in.coordinate(y1) ||
                !in.coordinate(x2) || !in.coordinate(y2))
                return false;
            visitor.hairline(x1, y1, x2, y2, color);
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

} // namespace pensilio::report

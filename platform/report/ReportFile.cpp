#include "platform/report/ReportFile.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/Error.h"
#include "platform/report/PageCommands.h"
#include "platform/report/PageStore.h"

#include <QFile>
#include <QtEndian>
#include <array>

namespace pensilio::report::reportfile {

namespace {

constexpr char kMagic[8] = {'P', 'N', 'S', 'Q', 'R', 'P', '\r', '\n'};
constexpr qsizetype kHeaderSize = 8 + 2 + 2 + 4; // magic, version, reserved, checksum

// Limits far above any real report; a file past them is not one of ours.
constexpr quint32 kMaxName = 1024;
constexpr quint32 kMaxFonts = 4096;
constexpr quint32 kMaxColors = 65536;
constexpr quint32 kMaxPaperHundredths = 10'000'00; // 10 m
constexpr quint32 kMaxPointHundredths = 1000'00;

enum FontFlag : quint8
{
    Bold = 1,
    Italic = 2,
    Underline = 4
};

quint32 crc32(QByteArrayView bytes)
{
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : bytes)
        crc = table[(crc ^ static_cast<quint8>(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

class Writer
{
public:
    explicit Writer(QByteArray &out) : m_out(out) {}
    void u8(quint8 v) { m_out.append(static_cast<char>(v)); }
    void u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        m_out.append(b, 2);
    }
    void u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        m_out.append(b, 4);
    }
    void bytes(QByteArrayView v)
    {
        u32(static_cast<quint32>(v.size()));
        m_out.append(v);
    }
    void text(const QString &v) { bytes(v.toUtf8()); }

private:
    QByteArray &m_out;
};

class Reader
{
public:
    explicit Reader(QByteArrayView in) : m_in(in) {}
    bool u8(quint8 &v)
    {
        if (left() < 1)
            return false;
        v = static_cast<quint8>(m_in[m_pos++]);
        return true;
    }
    bool u32(quint32 &v)
    {
        if (left() < 4)
            return false;
        v = qFromLittleEndian<quint32>(m_in.data() + m_pos);
        m_pos += 4;
        return true;
    }
    bool bytes(quint32 limit, QByteArrayView &v)
    {
        quint32 size;
        if (!u32(size) || size > limit || size > static_cast<quint64>(left()))
            return false;
        v = m_in.sliced(m_pos, size);
        m_pos += size;
        return true;
    }
    bool text(quint32 limit, QString &v)
    {
        QByteArrayView b;
        if (!bytes(limit, b))
            return false;
        v = QString::fromUtf8(b);
        return true;
    }
    qsizetype left() const { return m_in.size() - m_pos; }

private:
    QByteArrayView m_in;
    qsizetype m_pos = 0;
};

quint32 hundredths(double mm)
{
    return static_cast<quint32>(qBound(0.0, mm * 100 + 0.5, 4e9));
}

class NoDrawing final : public PageVisitor
{
public:
    void fillRect(const QRectF &, int) override {}
    void text(const QRectF &, int, int, TextFlag, int, QByteArrayView) override {}
    void hairline(double, double, double, double, int) override {}
};

QString damaged(const QString &name)
{
    return QStringLiteral("The report file \"%1\" is damaged and cannot be loaded.").arg(name);
}

} // namespace

QByteArray encode(const PageStore &store)
{
    QByteArray payload;
    Writer w(payload);
    w.text(store.title());
    w.u32(hundredths(store.paperSize().width()));
    w.u32(hundredths(store.paperSize().height()));
    const PageStyles &styles = store.styles();
    w.u32(static_cast<quint32>(styles.fonts().size()));
    for (const FontSpec &font : styles.fonts()) {
        w.text(font.family);
        w.u32(hundredths(font.pointSize));
        w.u8(static_cast<quint8>((font.bold ? Bold : 0) | (font.italic ? Italic : 0) |
                                 (font.underline ? Underline : 0)));
    }
    w.u32(static_cast<quint32>(styles.colors().size()));
    for (const QRgb color : styles.colors())
        w.u32(color);
    w.u32(static_cast<quint32>(store.pageCount()));
    for (int i = 0; i < store.pageCount(); ++i)
        w.bytes(store.page(i));

    QByteArray file;
    file.reserve(kHeaderSize + payload.size());
    file.append(kMagic, sizeof kMagic);
    Writer h(file);
    h.u16(kVersion);
    h.u16(0);
    h.u32(crc32(payload));
    file.append(payload);
    return file;
}

ReportFileResult decode(QByteArrayView bytes, const QString &name)
{
    ReportFileResult result;
    if (bytes.size() < kHeaderSize ||
        QByteArrayView(bytes.data(), 8) != QByteArrayView(kMagic, 8)) {
        result.error = QStringLiteral("The file \"%1\" is not a report file.").arg(name);
        return result;
    }
    const auto version = qFromLittleEndian<quint16>(bytes.data() + 8);
    if (version != kVersion) {
        result.error = QStringLiteral("The report file \"%1\" was written by a newer version "
                                      "of the program and cannot be loaded.")
                           .arg(name);
        return result;
    }
    const QByteArrayView payload = bytes.sliced(kHeaderSize);
    if (qFromLittleEndian<quint32>(bytes.data() + 12) != crc32(payload)) {
        result.error = damaged(name);
        return result;
    }

    ReportPages pages;
    Reader r(payload);
    quint32 width, height, fontCount, colorCount, pageCount;
    if (!r.text(kMaxName, pages.title) || !r.u32(width) || !r.u32(height) || width == 0 ||
        height == 0 || width > kMaxPaperHundredths || height > kMaxPaperHundredths ||
        !r.u32(fontCount) || fontCount > kMaxFonts) {
        result.error = damaged(name);
        return result;
    }
    pages.paper = QSizeF(width / 100.0, height / 100.0);
    for (quint32 i = 0; i < fontCount; ++i) {
        FontSpec font;
        quint32 points;
        quint8 flags;
        if (!r.text(kMaxName, font.family) || !r.u32(points) || points == 0 ||
            points > kMaxPointHundredths || !r.u8(flags) || flags > 7) {
            result.error = damaged(name);
            return result;
        }
        font.pointSize = points / 100.0;
        font.bold = flags & Bold;
        font.italic = flags & Italic;
        font.underline = flags & Underline;
        if (pages.styles.fontIndex(font) != static_cast<int>(i)) {
            result.error = damaged(name); // a font twice would shift every index after it
            return result;
        }
    }
    if (!r.u32(colorCount) || colorCount > kMaxColors) {
        result.error = damaged(name);
        return result;
    }
    for (quint32 i = 0; i < colorCount; ++i) {
        quint32 color;
        if (!r.u32(color) || pages.styles.colorIndex(color) != static_cast<int>(i)) {
            result.error = damaged(name);
            return result;
        }
    }
    // Each page takes at least its four length bytes, which bounds the count by the file.
    if (!r.u32(pageCount) || pageCount > static_cast<quint64>(r.left() / 4)) {
        result.error = damaged(name);
        return result;
    }
    pages.pages.reserve(pageCount);
    NoDrawing check;
    for (quint32 i = 0; i < pageCount; ++i) {
        QByteArrayView page;
        if (!r.bytes(static_cast<quint32>(qMin<qsizetype>(r.left(), 0xFFFFFFFF)), page) ||
            !visitPage(page, pages.styles, check)) {
            result.error = damaged(name);
            return result;
        }
        pages.pages.push_back(page.toByteArray());
    }
    if (r.left() != 0) {
        result.error = damaged(name);
        return result;
    }
    result.pages = std::move(pages);
    return result;
}

void save(const QString &fileName, const PageStore &store)
{
    const AtomicWriteResult written = writeFileAtomically(fileName, encode(store));
    if (!written.ok())
        throw Error(
            QStringLiteral("Cannot save the report to \"%1\". %2").arg(fileName, written.cause));
}

ReportPages load(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(
            QStringLiteral("Cannot read file \"%1\". %2").arg(fileName, file.errorString()));
    ReportFileResult result = decode(bytes, fileName);
    if (!result.pages)
        throw Error(result.error);
    return std::move(*result.pages);
}

} // namespace pensilio::report::reportfile

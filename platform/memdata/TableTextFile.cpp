// Reading and writing a table as TAB-separated text in the Windows-1252 code page.

#include "platform/core/AtomicFile.h"
#include "platform/core/Clock.h"
#include "platform/core/Cp1252.h"
#include "platform/memdata/Table.h"

#include <QFile>
#include <cstring>

namespace pensilio::memdata {

namespace {

// A line ends at CR LF, at a CR alone or at an LF alone.
const char *lineEnd(const char *p, const char *end)
{
    while (p < end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

const char *nextLine(const char *p, const char *end)
{
    if (p < end && *p == '\r')
        ++p;
    else if (p < end && *p == '\n')
        return p + 1;
    if (p < end && *p == '\n')
        ++p;
    return p;
}

struct Piece
{
    const char *data;
    qsizetype size;
};

// While the rest is not empty, take the text up to the next TAB; so a trailing TAB gives no
// empty last piece and an empty line gives no piece at all.
template <typename F> void splitPieces(const char *p, const char *end, F &&take)
{
    int k = 0;
    while (p < end) {
        const void *tab = std::memchr(p, '\t', static_cast<size_t>(end - p));
        const char *stop = tab ? static_cast<const char *>(tab) : end;
        take(k++, Piece{p, stop - p});
        p = tab ? stop + 1 : end;
    }
}

void appendEscaped(QByteArray &out, std::string_view text)
{
    const size_t start = static_cast<size_t>(out.size());
    out.append(text.data(), static_cast<qsizetype>(text.size()));
    char *p = out.data() + start;
    char *const end = out.data() + out.size();
    for (; p < end; ++p) {
        switch (*p) {
        case '\t':
            *p = Table::kTabStandIn;
            break;
        case '\n':
            *p = Table::kLineFeedStandIn;
            break;
        case '\r':
            *p = Table::kCarriageReturnStandIn;
            break;
        default:
            break;
        }
    }
}

void unescapeInPlace(char *p, qsizetype size)
{
    for (char *const end = p + size; p < end; ++p) {
        switch (*p) {
        case Table::kTabStandIn:
            *p = '\t';
            break;
        case Table::kLineFeedStandIn:
            *p = '\n';
            break;
        case Table::kCarriageReturnStandIn:
            *p = '\r';
            break;
        default:
            break;
        }
    }
}

} // namespace

void Table::buildContent(QByteArray &out)
{
    std::vector<int> stored;
    for (int f = 0; f < fieldCount(); ++f) {
        if (!m_fields[static_cast<size_t>(f)].computed())
            stored.push_back(f);
    }
    // One pass, in storage order, to size the buffer, so that a million rows are written without
    // reallocating; deleted rows make it a little larger than needed.
    qsizetype estimate = 64;
    for (int f : stored) {
        estimate += m_fields[static_cast<size_t>(f)].name.size() + 1;
        for (const TextRef &t : m_columns[static_cast<size_t>(f)].texts)
            estimate += std::max<qint32>(t.size, 0);
    }
    estimate += static_cast<qsizetype>(m_order.size()) * (stored.size() * 2 + 40);
    out.reserve(estimate);

    for (size_t i = 0; i < stored.size(); ++i) {
        if (i)
            out.append('\t');
        out.append(cp1252::fromUnicode(m_fields[static_cast<size_t>(stored[i])].name));
    }
    out.append("\r\n", 2);
    // Rows are visited in date order, which after reading an unordered file is far from the
    // order of their storage: fetching a few rows ahead hides most of the memory latency.
    constexpr size_t kAhead = 16;
    const size_t rowCount = m_order.size();
    for (size_t n = 0; n < rowCount; ++n) {
        if (n + kAhead < rowCount) {
            const size_t ahead = static_cast<size_t>(m_order[n + kAhead]);
            for (int f : stored) {
                const Column &c = m_columns[static_cast<size_t>(f)];
                if (m_fields[static_cast<size_t>(f)].type == FieldType::Text)
                    __builtin_prefetch(&c.texts[ahead]);
                else
                    __builtin_prefetch(&c.dates[ahead]);
            }
        }
        if (n + kAhead / 2 < rowCount) {
            const RowId soon = m_order[n + kAhead / 2];
            for (int f : stored) {
                if (m_fields[static_cast<size_t>(f)].type == FieldType::Text)
                    __builtin_prefetch(text(soon, f).data);
            }
        }
        const RowId row = m_order[n];
        for (size_t i = 0; i < stored.size(); ++i) {
            if (i)
                out.append('\t');
            const int f = stored[i];
            if (m_fields[static_cast<size_t>(f)].type == FieldType::DateTime)
                m_formatter->appendTo(out, dateTime(row, f));
            else
                appendEscaped(out, text(row, f).view());
        }
        out.append("\r\n", 2);
    }
}

QByteArray Table::textFileContent()
{
    QByteArray out;
    if (!isOpen())
        return out;
    UpdateGuard guard(*this);
    const std::optional<Bookmark> mark = bookmark();
    first();
    buildContent(out);
    if (mark)
        gotoBookmark(mark);
    return out;
}

void Table::saveTextFile(const QString &fileName)
{
    if (!isOpen())
        return;
    writeTextFile(fileName, textFileContent());
}

void Table::writeTextFile(const QString &fileName, const QByteArray &content)
{
    const AtomicWriteResult result = writeFileAtomically(fileName, content);
    if (result.failure == AtomicWriteResult::Failure::Create)
        throw Error(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, result.cause));
    if (result.failure == AtomicWriteResult::Failure::Write)
        throw Error(QStringLiteral("Stream write error"));
}

void Table::loadTextFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    file.close();

    // A zero byte ends the content.
    if (const void *zero = std::memchr(content.constData(), 0, static_cast<size_t>(content.size())))
        content.truncate(static_cast<const char *>(zero) - content.constData());
    if (content.isEmpty())
        return;

    UpdateGuard guard(*this);
    close();
    open();

    // The rows refer to their texts inside the buffer itself, which the table keeps.
    const qsizetype size = content.size();
    char *const data = m_arena.adopt(std::move(content));
    const char *const end = data + size;

    const char *p = data;
    const char *stop = lineEnd(p, end);
    std::vector<int> binding;
    splitPieces(p, stop, [&](int, Piece piece) {
        const int f = findField(cp1252::toUnicode(piece.data, piece.size));
        binding.push_back(f >= 0 && !m_fields[static_cast<size_t>(f)].computed() ? f : -1);
    });
    p = nextLine(stop, end);

    int storedFields = 0;
    for (const FieldDef &f : m_fields)
        storedFields += f.computed() ? 0 : 1;
    const DateTimeReader reader(m_settings, m_clock ? m_clock->now().parts().year : 2000);
    const int headerCount = static_cast<int>(binding.size());
    std::vector<qint64> dates(m_fields.size());
    std::vector<TextRef> texts(m_fields.size());
    std::vector<char> given(m_fields.size());

    auto finish = [this] {
        sortRows();
        invalidateIndex();
        m_current = m_order.empty() ? -1 : 0;
        m_eof = m_order.empty();
    };
    try {
        while (p < end) {
            stop = lineEnd(p, end);
            std::fill(given.begin(), given.end(), 0);
            int givenCount = 0;
            splitPieces(p, stop, [&](int k, Piece piece) {
                if (k >= headerCount)
                    throw TextFileLineError(QStringLiteral("List index out of bounds (%1)").arg(k));
                const int f = binding[static_cast<size_t>(k)];
                if (f < 0 || piece.size == 0)
                    return;
                const size_t fi = static_cast<size_t>(f);
                if (m_fields[fi].type == FieldType::DateTime) {
                    WallDateTime value;
                    if (!reader.read(piece.data, piece.size, value))
                        throw TextFileLineError(DateTimeReader::invalidMessage(
                            cp1252::toUnicode(piece.data, piece.size)));
                    dates[fi] = value.raw();
                } else {
                    char *bytes = const_cast<char *>(piece.data);
                    unescapeInPlace(bytes, piece.size);
                    const int limit = m_fields[fi].size;
                    texts[fi] = TextRef{
                        bytes,
                        static_cast<qint32>(limit > 0 ? std::min<qsizetype>(piece.size, limit)
                                                      : piece.size)};
                }
                givenCount += given[fi] ? 0 : 1;
                given[fi] = 1;
            });

            // A line that fills every field needs no defaults; any other starts from them.
            RowId row;
            if (givenCount < storedFields && m_afterInsert) {
                beginPending(TableState::Insert);
                m_afterInsert(*this);
                row = newSlot();
                writePendingInto(row);
                endPending();
                m_state = TableState::Browse;
            } else {
                row = newSlot();
            }
            for (size_t f = 0; f < m_fields.size(); ++f) {
                if (!given[f])
                    continue;
                if (m_fields[f].type == FieldType::DateTime)
                    m_columns[f].dates[static_cast<size_t>(row)] = dates[f];
                else
                    m_columns[f].texts[static_cast<size_t>(row)] = texts[f];
            }
            m_order.push_back(row);
            p = nextLine(stop, end);
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

} // namespace pensilio::memdata

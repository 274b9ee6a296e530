#include "platform/memdata/TextArena.h"

#include <cstring>

namespace pensilio::memdata {

namespace {
constexpr qsizetype kChunk = 64 * 1024;
}

TextRef TextArena::store(const char *data, qsizetype size)
{
    if (size <= 0)
        return TextRef{nullptr, 0};
    if (size > m_left) {
        const qsizetype bytes = std::max(size, kChunk);
        m_chunks.push_back(std::make_unique<char[]>(static_cast<size_t>(bytes)));
        m_free = m_chunks.back().get();
        m_left = bytes;
    }
    char *dst = m_free;
    std::memcpy(dst, data, static_cast<size_t>(size));
    m_free += size;
    m_left -= size;
    return TextRef{dst, static_cast<qint32>(size)};
}

char *TextArena::adopt(QByteArray buffer)
{
    m_buffers.push_back(std::move(buffer));
    return m_buffers.back().data();
}

void TextArena::clear()
{
    m_buffers.clear();
    m_chunks.clear();
    m_free = nullptr;
    m_left = 0;
}

} // namespace pensilio::memdata

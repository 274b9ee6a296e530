#pragma once
// Where the table's texts live: whole loaded files and small chunks for edited values. Texts
// are never moved, so a row refers to its bytes instead of owning a copy.

#include <QByteArray>
#include <QtGlobal>
#include <memory>
#include <string_view>
#include <vector>

namespace pensilio::memdata {

#pragma pack(push, 4)
// A text of the table: bytes and length; the length -1 marks the null value.
struct TextRef
{
    const char *data = nullptr;
    qint32 size = -1;

    bool isNull() const { return size < 0; }
    std::string_view view() const
    {
        return size > 0 ? std::string_view(data, static_cast<size_t>(size)) : std::string_view();
    }
    QByteArray toByteArray() const { return size > 0 ? QByteArray(data, size) : QByteArray(); }
};
#pragma pack(pop)
static_assert(sizeof(TextRef) == 12);

class TextArena
{
public:
    TextRef store(const char *data, qsizetype size);
    // Keeps a buffer alive for as long as the arena and returns its bytes, which texts may then
    // point into and which the caller may rewrite in place.
    char *adopt(QByteArray buffer);
    void clear();

private:
    std::vector<QByteArray> m_buffers;
    std::vector<std::unique_ptr<char[]>> m_chunks;
    char *m_free = nullptr;
    qsizetype m_left = 0;
};

} // namespace pensilio::memdata

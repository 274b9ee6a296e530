#include "platform/grid/FilterLikePattern.h"

#include <cstring>

namespace pensilio::grid {

FilterLikePattern::FilterLikePattern(std::string_view pattern) : m_bytes(pattern)
{
    Segment current;
    for (size_t i = 0; i <= pattern.size(); ++i) {
        if (i == pattern.size() || pattern[i] == '%') {
            current.size = i - current.offset;
            current.anchor = current.size;
            for (size_t k = 0; k < current.size; ++k) {
                if (pattern[current.offset + k] != '_') {
                    current.anchor = k;
                    break;
                }
            }
            m_fixedLength += current.size;
            m_segments.push_back(current);
            current = Segment{i + 1, 0, false};
            if (i < pattern.size())
                m_hasPercent = true;
        } else if (pattern[i] == '_') {
            current.anyByte = true;
        }
    }
}

bool FilterLikePattern::segmentAt(const Segment &s, std::string_view subject, size_t at) const
{
    const char *text = m_bytes.data() + s.offset;
    const char *where = subject.data() + at;
    if (!s.anyByte)
        return s.size == 0 || std::memcmp(text, where, s.size) == 0;
    for (size_t i = 0; i < s.size; ++i) {
        if (text[i] != '_' && text[i] != where[i])
            return false;
    }
    return true;
}

// The leftmost place in [from, end) where the whole segment fits, or npos.
size_t FilterLikePattern::findSegment(const Segment &s, std::string_view subject, size_t from,
                                      size_t end) const
{
    if (end < from || end - from < s.size)
        return std::string_view::npos;
    const std::string_view window = subject.substr(from, end - from);
    if (!s.anyByte) {
        const size_t found = window.find(segmentText(s));
        return found == std::string_view::npos ? found : from + found;
    }
    if (s.anchor == s.size)
        return from; // only "_": any place with room will do
    // Jump between occurrences of the segment's first fixed byte instead of trying every place.
    const char anchorByte = m_bytes[s.offset + s.anchor];
    for (size_t at = from; at + s.size <= end;) {
        const char *base = subject.data() + at + s.anchor;
        const void *hit = std::memchr(base, anchorByte, end - s.size - at + 1);
        if (!hit)
            break;
        at += static_cast<size_t>(static_cast<const char *>(hit) - base);
        if (segmentAt(s, subject, at))
            return at;
        ++at;
    }
    return std::string_view::npos;
}

bool FilterLikePattern::matches(std::string_view subject) const
{
    if (m_segments.empty())
        return subject.empty();
    if (!m_hasPercent)
        return subject.size() == m_fixedLength && segmentAt(m_segments[0], subject, 0);
    if (subject.size() < m_fixedLength)
        return false;
    // The first run is tied to the start and the last to the end; the runs between them are
    // placed as far left as they fit, which leaves the most room for those that follow.
    const Segment &head = m_segments.front();
    const Segment &tail = m_segments.back();
    if (!segmentAt(head, subject, 0))
        return false;
    const size_t tailAt = subject.size() - tail.size;
    if (!segmentAt(tail, subject, tailAt))
        return false;
    size_t pos = head.size;
    for (size_t i = 1; i + 1 < m_segments.size(); ++i) {
        const Segment &s = m_segments[i];
        if (s.size == 0)
            continue;
        const size_t at = findSegment(s, subject, pos, tailAt);
        if (at == std::string_view::npos)
            return false;
        pos = at + s.size;
    }
    return pos <= tailAt;
}

} // namespace pensilio::grid

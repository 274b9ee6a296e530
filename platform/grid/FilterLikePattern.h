#pragma once
// A "like" pattern compiled once: "%" stands for any series of bytes (also none), "_" for exactly
// one byte, every other byte for itself with letter case significant. Matching takes the whole
// subject and allocates nothing.

#include <string>
#include <string_view>
#include <vector>

namespace pensilio::grid {

class FilterLikePattern
{
public:
    FilterLikePattern() = default; // matches only the empty subject
    explicit FilterLikePattern(std::string_view pattern);

    bool matches(std::string_view subject) const;

private:
    // A run of the pattern between two "%": fixed length, "_" in it matches any byte.
    struct Segment
    {
        size_t offset = 0;
        size_t size = 0;
        bool anyByte = false; // holds "_"
        size_t anchor = 0;    // the first byte that is not "_"; size when there is none
    };
    std::string_view segmentText(const Segment &s) const
    {
        return std::string_view(m_bytes).substr(s.offset, s.size);
    }
    bool segmentAt(const Segment &s, std::string_view subject, size_t at) const;
    size_t findSegment(const Segment &s, std::string_view subject, size_t from, size_t end) const;

    std::string m_bytes;
    std::vector<Segment> m_segments; // at least one; with no "%" exactly one
    bool m_hasPercent = false;
    size_t m_fixedLength = 0;
};

} // namespace pensilio::grid

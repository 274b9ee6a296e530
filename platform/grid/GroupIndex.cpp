#include "platform/grid/GroupIndex.h"

#include <algorithm>

namespace pensilio::grid {

void GroupIndex::assign(std::vector<GroupEntry> groups)
{
    m_groups = std::move(groups);
    renumber(0);
}

void GroupIndex::setFooterMode(GroupFooterMode mode)
{
    m_footers = mode;
    renumber(0);
}

int GroupIndex::footerRows(int g) const
{
    switch (m_footers) {
    case GroupFooterMode::Never:
        return 0;
    case GroupFooterMode::WhenExpanded:
        return group(g).expanded ? 1 : 0;
    case GroupFooterMode::Always:
        return 1;
    }
    return 0;
}

int GroupIndex::visibleRows(int g) const
{
    const GroupEntry &e = group(g);
    return 1 + (e.expanded ? static_cast<int>(e.count) : 0) + footerRows(g);
}

void GroupIndex::renumber(size_t from)
{
    quint32 visible = from == 0 ? 0 : m_groups[from - 1].firstVisible + visibleRows(int(from - 1));
    for (size_t g = from; g < m_groups.size(); ++g) {
        m_groups[g].firstVisible = visible;
        visible += static_cast<quint32>(visibleRows(static_cast<int>(g)));
    }
    m_visible = visible;
}

GroupIndex::Slot GroupIndex::slotAt(int visibleIndex) const
{
    const auto it =
        std::upper_bound(m_groups.begin(), m_groups.end(), quint32(visibleIndex),
                         [](quint32 v, const GroupEntry &e) { return v < e.firstVisible; });
    const int g = static_cast<int>(it - m_groups.begin()) - 1;
    const GroupEntry &e = group(g);
    const quint32 offset = quint32(visibleIndex) - e.firstVisible;
    if (offset == 0)
        return {SlotKind::Group, g, e.start};
    if (e.expanded && offset <= e.count)
        return {SlotKind::Data, g, size_t(e.start + offset - 1)};
    return {SlotKind::Footer, g, e.start};
}

int GroupIndex::groupAt(size_t position) const
{
    const auto it = std::upper_bound(m_groups.begin(), m_groups.end(), quint32(position),
                                     [](quint32 p, const GroupEntry &e) { return p < e.start; });
    return static_cast<int>(it - m_groups.begin()) - 1;
}

int GroupIndex::visibleIndexOf(size_t position) const
{
    const int g = groupAt(position);
    if (g < 0 || !group(g).expanded)
        return -1;
    return static_cast<int>(group(g).firstVisible + 1 + (quint32(position) - group(g).start));
}

void GroupIndex::setExpanded(int g, bool expanded)
{
    if (group(g).expanded == expanded)
        return;
    m_groups[size_t(g)].expanded = expanded;
    renumber(size_t(g));
}

void GroupIndex::setAllExpanded(bool expanded)
{
    for (GroupEntry &e : m_groups)
        e.expanded = expanded;
    renumber(0);
}

void GroupIndex::insertRow(size_t position, int g, bool newGroup)
{
    if (newGroup)
        m_groups.insert(m_groups.begin() + g, GroupEntry{quint32(position), 1, 0, false});
    else
        ++m_groups[size_t(g)].count;
    for (size_t i = size_t(g) + 1; i < m_groups.size(); ++i)
        ++m_groups[i].start;
    renumber(size_t(g));
}

void GroupIndex::removeRow(size_t position)
{
    const int g = groupAt(position);
    if (g < 0)
        return;
    for (size_t i = size_t(g) + 1; i < m_groups.size(); ++i)
        --m_groups[i].start;
    if (--m_groups[size_t(g)].count == 0)
        m_groups.erase(m_groups.begin() + g);
    renumber(size_t(g));
}

} // namespace pensilio::grid
